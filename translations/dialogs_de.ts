<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>BitmapFile</name>
    <message>
        <source>%1.</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>It is a folder.</source>
        <translation>Es ist ein Ordner.</translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation>Es ist keine reguläre Datei.</translation>
    </message>
    <message>
        <source>It is damaged, or it is a kind of BMP file this program cannot hold.</source>
        <translation>Sie ist beschädigt oder eine Art BMP-Datei, die dieses Programm nicht aufnehmen kann.</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Tavelo Version 1.1
The skin editor for Palimo notes</source>
        <translation>Tavelo Version 1.1
Der Skin-Editor für Palimo-Notizen</translation>
    </message>
    <message>
        <source>Tavelo Author:
The Tavelo developers
https://www.corvane.example/palimo
https://www.corvane.example/palimo/skins_and_plugins.htm</source>
        <translation>Autor von Tavelo:
Die Tavelo-Entwickler
https://www.corvane.example/palimo
https://www.corvane.example/palimo/skins_and_plugins.htm</translation>
    </message>
    <message>
        <source>Tintary Author:
The Tintary developers
Corvane
https://www.corvane.example/palimo</source>
        <translation>Autor von Tintary:
Die Tintary-Entwickler
Corvane
https://www.corvane.example/palimo</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About Tavelo</source>
        <translation>Über Tavelo</translation>
    </message>
</context>
<context>
    <name>CColourPortal</name>
    <message>
        <source>The desktop portal refused the pick: %1</source>
        <translation>Das Desktop-Portal hat die Farbaufnahme abgelehnt: %1</translation>
    </message>
    <message>
        <source>The desktop portal answered without a usable colour.</source>
        <translation>Das Desktop-Portal hat ohne brauchbare Farbe geantwortet.</translation>
    </message>
    <message>
        <source>The desktop portal ended the pick without a colour.</source>
        <translation>Das Desktop-Portal hat die Farbaufnahme ohne Farbe beendet.</translation>
    </message>
    <message>
        <source>There is no session bus to reach the desktop portal.</source>
        <translation>Es gibt keinen Sitzungsbus, über den das Desktop-Portal erreichbar wäre.</translation>
    </message>
    <message>
        <source>The desktop portal stopped before it answered.</source>
        <translation>Das Desktop-Portal wurde beendet, bevor es geantwortet hat.</translation>
    </message>
</context>
<context>
    <name>CDialogScreenPicker</name>
    <message>
        <source>Picking a colour from the screen needs the desktop portal, which this session does not offer.</source>
        <translation>Um eine Farbe vom Bildschirm aufzunehmen, wird das Desktop-Portal benötigt, das diese Sitzung nicht anbietet.</translation>
    </message>
</context>
<context>
    <name>CLogFontDialog</name>
    <message>
        <source>The font name</source>
        <translation>Der Schriftname</translation>
    </message>
    <message>
        <source>The font name &quot;%1&quot; is longer than the %2 characters a skin can store. Choose another font.</source>
        <translation>Der Schriftname „%1“ ist länger als die %2 Zeichen, die ein Skin speichern kann. Wählen Sie eine andere Schrift.</translation>
    </message>
    <message>
        <source> – “%1” is not installed</source>
        <translation> – „%1“ ist nicht installiert</translation>
    </message>
</context>
<context>
    <name>CQtPromptService</name>
    <message>
        <source>Skin Files(*.skn)</source>
        <translation>Skin-Dateien (*.skn)</translation>
    </message>
    <message>
        <source>PNG Images (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
</context>
<context>
    <name>CSkinDocument</name>
    <message>
        <source>Move %1 Rectangle</source>
        <translation>%1-Rechteck verschieben</translation>
    </message>
    <message>
        <source>Nudge %1 Rectangle</source>
        <translation>%1-Rechteck schrittweise verschieben</translation>
    </message>
    <message>
        <source>Skin Details</source>
        <translation>Skin-Informationen</translation>
    </message>
    <message>
        <source>Apply %1</source>
        <translation>%1 übernehmen</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Close Button</source>
        <translation>Schließen-Schaltfläche</translation>
    </message>
    <message>
        <source>Main Window Transparency</source>
        <translation>Transparenz des Hauptfensters</translation>
    </message>
    <message>
        <source>Close Button (Normal) Transparency</source>
        <translation>Transparenz der Schließen-Schaltfläche (normal)</translation>
    </message>
    <message>
        <source>Close Button (Mouse Over) Transparency</source>
        <translation>Transparenz der Schließen-Schaltfläche (Maus darüber)</translation>
    </message>
    <message>
        <source>Message Foreground</source>
        <translation>Vordergrund der Nachricht</translation>
    </message>
    <message>
        <source>Message Background</source>
        <translation>Hintergrund der Nachricht</translation>
    </message>
    <message>
        <source>Title Foreground</source>
        <translation>Vordergrund des Titels</translation>
    </message>
    <message>
        <source>Title Background</source>
        <translation>Hintergrund des Titels</translation>
    </message>
    <message>
        <source>Title Font</source>
        <translation>Titelschrift</translation>
    </message>
    <message>
        <source>Message Font</source>
        <translation>Nachrichtenschrift</translation>
    </message>
    <message>
        <source>Reload %1</source>
        <translation>%1 neu laden</translation>
    </message>
    <message>
        <source>%1 Image</source>
        <translation>Bild „%1“</translation>
    </message>
</context>
<context>
    <name>CSkinInfoDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>&amp;Author:</source>
        <translation>&amp;Autor:</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Datum:</translation>
    </message>
    <message>
        <source>&amp;Comment:</source>
        <translation>&amp;Kommentar:</translation>
    </message>
    <message>
        <source>Skin Information</source>
        <translation>Skin-Informationen</translation>
    </message>
    <message>
        <source>The title</source>
        <translation>Der Titel</translation>
    </message>
    <message>
        <source>The author</source>
        <translation>Der Autor</translation>
    </message>
    <message>
        <source>The date</source>
        <translation>Das Datum</translation>
    </message>
    <message>
        <source>The comment</source>
        <translation>Der Kommentar</translation>
    </message>
</context>
<context>
    <name>CTemplateDlg</name>
    <message>
        <source>New from Template</source>
        <translation>Neu aus Vorlage</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>This template cannot be read: %1</source>
        <translation>Diese Vorlage kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>it has missing parts</source>
        <translation>ihr fehlen Teile</translation>
    </message>
    <message>
        <source>By %1</source>
        <translation>Von %1</translation>
    </message>
</context>
<context>
    <name>QColorDialog</name>
    <message>
        <source>&amp;Pick Screen Color</source>
        <translation>Farbe vom &amp;Bildschirm wählen</translation>
    </message>
</context>
<context>
    <name>Skin</name>
    <message>
        <source>the file ends too early</source>
        <translation>die Datei endet zu früh</translation>
    </message>
    <message>
        <source>a string has a malformed length</source>
        <translation>eine Zeichenkette hat eine fehlerhafte Länge</translation>
    </message>
    <message>
        <source>a string is too long to store</source>
        <translation>eine Zeichenkette ist zu lang zum Speichern</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>the file is on a read-only file system</source>
        <translation>die Datei liegt auf einem schreibgeschützten Dateisystem</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>es ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is not a regular file (a device, pipe or socket) and is left as it is</source>
        <translation>es ist keine reguläre Datei (ein Gerät, eine Pipe oder ein Socket) und bleibt unverändert</translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation>es wurde kein Dateiname angegeben</translation>
    </message>
    <message>
        <source>the file is not open</source>
        <translation>die Datei ist nicht geöffnet</translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation>die Datei konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the image is %1 x %2 pixels; an image may have at most %3 pixels a side and %4 pixels in all</source>
        <translation>das Bild ist %1 x %2 Pixel groß; ein Bild darf höchstens %3 Pixel pro Seite und %4 Pixel insgesamt haben</translation>
    </message>
    <message>
        <source>not a bitmap that can be read</source>
        <translation>keine lesbare Bitmap</translation>
    </message>
    <message>
        <source>no such readable file</source>
        <translation>keine solche lesbare Datei</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keiner</translation>
    </message>
    <message>
        <source>Skin title area</source>
        <translation>Titelbereich des Skins</translation>
    </message>
    <message>
        <source>Skin message area</source>
        <translation>Nachrichtenbereich des Skins</translation>
    </message>
    <message>
        <source>Skin main window image</source>
        <translation>Hauptfensterbild des Skins</translation>
    </message>
    <message>
        <source>Close button image and placement</source>
        <translation>Bild und Position der Schließen-Schaltfläche</translation>
    </message>
    <message>
        <source>Close button (mouse over) image and placement</source>
        <translation>Bild und Position der Schließen-Schaltfläche (Maus darüber)</translation>
    </message>
    <message>
        <source>Unknown skin part</source>
        <translation>Unbekannter Skin-Teil</translation>
    </message>
    <message>
        <source>the title rectangle</source>
        <translation>das Titelrechteck</translation>
    </message>
    <message>
        <source>the message rectangle</source>
        <translation>das Nachrichtenrechteck</translation>
    </message>
    <message>
        <source>the close-button rectangle</source>
        <translation>das Rechteck der Schließen-Schaltfläche</translation>
    </message>
    <message>
        <source>no image: the skin cannot be saved without one</source>
        <translation>kein Bild: ohne Bild kann der Skin nicht gespeichert werden</translation>
    </message>
    <message>
        <source>%1 %2 is inverted: its right or bottom edge lies before its left or top edge</source>
        <translation>%1 %2 ist vertauscht: sein rechter oder unterer Rand liegt vor seinem linken oder oberen Rand</translation>
    </message>
    <message>
        <source>%1 %2 is empty</source>
        <translation>%1 %2 ist leer</translation>
    </message>
    <message>
        <source>%1 %2 reaches outside the %3 main image</source>
        <translation>%1 %2 reicht über das %3 große Hauptbild hinaus</translation>
    </message>
    <message>
        <source>no pixel of the main image is in the transparent colour %1, so the note will be a plain rectangle</source>
        <translation>kein Pixel des Hauptbilds hat die transparente Farbe %1, daher wird die Notiz ein einfaches Rechteck</translation>
    </message>
    <message>
        <source>%1 %2 overlaps the close-button rectangle %3</source>
        <translation>%1 %2 überlappt das Rechteck der Schließen-Schaltfläche %3</translation>
    </message>
    <message>
        <source>the close-button rectangle is %1 pixels but the close image is %2</source>
        <translation>das Rechteck der Schließen-Schaltfläche ist %1 Pixel groß, das Schließen-Bild aber %2</translation>
    </message>
    <message>
        <source>the mouse-over image is %1 pixels but the normal close image is %2</source>
        <translation>das Bild für „Maus darüber“ ist %1 Pixel groß, das normale Schließen-Bild aber %2</translation>
    </message>
    <message>
        <source>the message rectangle is %1 pixels high, less than one line of the message font (about %2 pixels)</source>
        <translation>das Nachrichtenrechteck ist %1 Pixel hoch, weniger als eine Zeile der Nachrichtenschrift (etwa %2 Pixel)</translation>
    </message>
    <message>
        <source>the title text colour %1 is its background colour</source>
        <translation>die Textfarbe des Titels %1 ist seine Hintergrundfarbe</translation>
    </message>
    <message>
        <source>the message text colour %1 is its background colour, so the message cannot be read</source>
        <translation>die Textfarbe der Nachricht %1 ist ihre Hintergrundfarbe, daher ist die Nachricht nicht lesbar</translation>
    </message>
    <message>
        <source>the title font&apos;s name</source>
        <translation>der Name der Titelschrift</translation>
    </message>
    <message>
        <source>the message font&apos;s name</source>
        <translation>der Name der Nachrichtenschrift</translation>
    </message>
    <message>
        <source>the title</source>
        <translation>der Titel</translation>
    </message>
    <message>
        <source>the author</source>
        <translation>der Autor</translation>
    </message>
    <message>
        <source>the date</source>
        <translation>das Datum</translation>
    </message>
    <message>
        <source>the comment</source>
        <translation>der Kommentar</translation>
    </message>
    <message>
        <source>%1 holds bytes Windows-1252 does not define (%2), which show as no character</source>
        <translation>%1 enthält Bytes, die Windows-1252 nicht definiert (%2) und die als kein Zeichen erscheinen</translation>
    </message>
    <message>
        <source>the file ends early</source>
        <translation>die Datei endet vorzeitig</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>keine solche Datei</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>cannot open the file</source>
        <translation>die Datei kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>no error</source>
        <translation>kein Fehler</translation>
    </message>
    <message>
        <source>not a skin file</source>
        <translation>keine Skin-Datei</translation>
    </message>
    <message>
        <source>not a skin file (%1)</source>
        <translation>keine Skin-Datei (%1)</translation>
    </message>
    <message>
        <source>%1 (version %2)</source>
        <translation>%1 (Version %2)</translation>
    </message>
    <message>
        <source>the file ends early at byte %1 (in %2, which starts at byte %3)</source>
        <translation>die Datei endet vorzeitig bei Byte %1 (betroffen: %2, beginnend bei Byte %3)</translation>
    </message>
    <message>
        <source>the file is damaged: %1 (at byte %2)</source>
        <translation>die Datei ist beschädigt: %1 (bei Byte %2)</translation>
    </message>
    <message>
        <source>%1: %2 (at byte %3)</source>
        <translation>%1: %2 (bei Byte %3)</translation>
    </message>
    <message>
        <source>%1: no bitmap to store</source>
        <translation>%1: keine Bitmap zum Speichern</translation>
    </message>
    <message>
        <source>the main image</source>
        <translation>das Hauptbild</translation>
    </message>
    <message>
        <source>the close button image</source>
        <translation>das Bild der Schließen-Schaltfläche</translation>
    </message>
    <message>
        <source>the close button mouse-over image</source>
        <translation>das Bild der Schließen-Schaltfläche für „Maus darüber“</translation>
    </message>
    <message>
        <source>the rectangles</source>
        <translation>die Rechtecke</translation>
    </message>
    <message>
        <source>the colours</source>
        <translation>die Farben</translation>
    </message>
    <message>
        <source>the message font</source>
        <translation>die Nachrichtenschrift</translation>
    </message>
    <message>
        <source>the title font</source>
        <translation>die Titelschrift</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>sie ist leer</translation>
    </message>
    <message>
        <source>the version</source>
        <translation>die Version</translation>
    </message>
    <message>
        <source>not enough memory to read the file</source>
        <translation>nicht genug Speicher, um die Datei zu lesen</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>nicht genug Speicher</translation>
    </message>
    <message>
        <source>This skin is a version this skin reader does not recognize.</source>
        <translation>Dieser Skin hat eine Version, die dieses Programm nicht kennt.</translation>
    </message>
    <message>
        <source>Colors and Fonts</source>
        <translation>Farben und Schriften</translation>
    </message>
    <message>
        <source>Skin Information</source>
        <translation>Skin-Informationen</translation>
    </message>
    <message>
        <source>Main Window</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Close Button (Normal)</source>
        <translation>Schließen-Schaltfläche (normal)</translation>
    </message>
    <message>
        <source>Close Button (Mouse Over)</source>
        <translation>Schließen-Schaltfläche (Maus darüber)</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
</context>
<context>
    <name>SkinImageFile</name>
    <message>
        <source>not a bitmap or other image that can be read</source>
        <translation>keine Bitmap und kein anderes lesbares Bild</translation>
    </message>
    <message>
        <source>the %1 image cannot be read: %2</source>
        <translation>das %1-Bild kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>no such readable file</source>
        <translation>keine solche lesbare Datei</translation>
    </message>
</context>
<context>
    <name>StorableText</name>
    <message>
        <source>%1 and %2 more</source>
        <translation>%1 und %2 weitere</translation>
    </message>
    <message>
        <source>%1 holds characters that a skin cannot store: %2.

Skins keep their texts in Windows-1252. Replace or remove these characters.</source>
        <translation>%1 enthält Zeichen, die ein Skin nicht speichern kann: %2.

Skins speichern ihre Texte in Windows-1252. Ersetzen oder entfernen Sie diese Zeichen.</translation>
    </message>
</context>
</TS>
