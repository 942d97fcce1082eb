<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BmpPreview</name>
    <message>
        <source>Not a BMP file</source>
        <translation>Keine BMP-Datei</translation>
    </message>
    <message>
        <source>This %1 image
cannot be read</source>
        <translation>Dieses %1-Bild kann
nicht gelesen werden</translation>
    </message>
    <message>
        <source>This file cannot be opened</source>
        <translation>Diese Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>This bitmap is too large
(%1 x %2 pixels)</source>
        <translation>Diese Bitmap ist zu groß
(%1 x %2 Pixel)</translation>
    </message>
    <message>
        <source>This bitmap cannot be read</source>
        <translation>Diese Bitmap kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Width: %1 pixels</source>
        <translation>Breite: %1 Pixel</translation>
    </message>
    <message>
        <source>Height: %1 pixels</source>
        <translation>Höhe: %1 Pixel</translation>
    </message>
    <message>
        <source>Colors: 2 (monocromatic)</source>
        <translation>Farben: 2 (monochrom)</translation>
    </message>
    <message>
        <source>Colors: 16</source>
        <translation>Farben: 16</translation>
    </message>
    <message>
        <source>Colors: 256</source>
        <translation>Farben: 256</translation>
    </message>
    <message>
        <source>Colors: 65,536</source>
        <translation>Farben: 65.536</translation>
    </message>
    <message>
        <source>Colors: 16 millions</source>
        <translation>Farben: 16 Millionen</translation>
    </message>
    <message>
        <source>%1: will become a 24-bit BMP</source>
        <translation>%1: wird zu einer 24-Bit-BMP</translation>
    </message>
    <message>
        <source>Size: %1 Kb</source>
        <translation>Größe: %1 KB</translation>
    </message>
</context>
<context>
    <name>CBitmapWnd</name>
    <message>
        <source>Couldn&apos;t create bitmap region due to error #%1</source>
        <translation>Der Bitmap-Bereich konnte nicht erstellt werden (Fehler #%1)</translation>
    </message>
</context>
<context>
    <name>CBmpDialog</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Show Preview</source>
        <translation>Vorschau anzeigen</translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>Bilder (%1)</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)</source>
        <translation>Bitmaps (*.bmp)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>CBmpPreviewBox</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Picture of %1 x %2 pixels</source>
        <translation>Bild mit %1 x %2 Pixeln</translation>
    </message>
    <message>
        <source>No picture</source>
        <translation>Kein Bild</translation>
    </message>
</context>
<context>
    <name>CColourPalettePopup</name>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Brown</source>
        <translation>Braun</translation>
    </message>
    <message>
        <source>Dark Olive Green</source>
        <translation>Dunkles Olivgrün</translation>
    </message>
    <message>
        <source>Dark Green</source>
        <translation>Dunkelgrün</translation>
    </message>
    <message>
        <source>Dark Teal</source>
        <translation>Dunkles Blaugrün</translation>
    </message>
    <message>
        <source>Dark blue</source>
        <translation>Dunkelblau</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Dark grey</source>
        <translation>Dunkelgrau</translation>
    </message>
    <message>
        <source>Dark red</source>
        <translation>Dunkelrot</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Dark yellow</source>
        <translation>Dunkelgelb</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Blue-grey</source>
        <translation>Blaugrau</translation>
    </message>
    <message>
        <source>Grey - 40</source>
        <translation>Grau - 40</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Light orange</source>
        <translation>Hellorange</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Limettengrün</translation>
    </message>
    <message>
        <source>Sea green</source>
        <translation>Meergrün</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Aquamarin</translation>
    </message>
    <message>
        <source>Light blue</source>
        <translation>Hellblau</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Grey - 50</source>
        <translation>Grau - 50</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Gold</source>
        <translation>Gold</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Bright green</source>
        <translation>Hellgrün</translation>
    </message>
    <message>
        <source>Turquoise</source>
        <translation>Türkis</translation>
    </message>
    <message>
        <source>Skyblue</source>
        <translation>Himmelblau</translation>
    </message>
    <message>
        <source>Plum</source>
        <translation>Pflaume</translation>
    </message>
    <message>
        <source>Light grey</source>
        <translation>Hellgrau</translation>
    </message>
    <message>
        <source>Rose</source>
        <translation>Rosé</translation>
    </message>
    <message>
        <source>Tan</source>
        <translation>Hellbraun</translation>
    </message>
    <message>
        <source>Light yellow</source>
        <translation>Hellgelb</translation>
    </message>
    <message>
        <source>Pale green </source>
        <translation>Blassgrün</translation>
    </message>
    <message>
        <source>Pale turquoise</source>
        <translation>Blasstürkis</translation>
    </message>
    <message>
        <source>Pale blue</source>
        <translation>Blassblau</translation>
    </message>
    <message>
        <source>Lavender</source>
        <translation>Lavendel</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Colours</source>
        <translation>Farben</translation>
    </message>
</context>
<context>
    <name>CColourPicker</name>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>More...</source>
        <translation>Weitere...</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
</context>
<context>
    <name>CSkinImageView</name>
    <message>
        <source>Image view</source>
        <translation>Bildansicht</translation>
    </message>
    <message>
        <source>%1, rectangle: left %2, top %3, right %4, bottom %5</source>
        <translation>%1, Rechteck: links %2, oben %3, rechts %4, unten %5</translation>
    </message>
</context>
<context>
    <name>CSkinnedNoteWnd</name>
    <message>
        <source>Skin preview</source>
        <translation>Skin-Vorschau</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Close button</source>
        <translation>Schließen-Schaltfläche</translation>
    </message>
    <message>
        <source>[Note Title]</source>
        <translation>[Notiztitel]</translation>
    </message>
</context>
</TS>
