<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CColoursPanel</name>
    <message>
        <source>Colors and Fonts</source>
        <translation>Farben und Schriften</translation>
    </message>
    <message>
        <source>&amp;Message Foreground:</source>
        <translation>Nachrichten-&amp;Vordergrund:</translation>
    </message>
    <message>
        <source>Message Back&amp;ground:</source>
        <translation>Nachrichten-Hinter&amp;grund:</translation>
    </message>
    <message>
        <source>Title F&amp;oreground:</source>
        <translation>Titel-V&amp;ordergrund:</translation>
    </message>
    <message>
        <source>Title Bac&amp;kground:</source>
        <translation>Titel-Hi&amp;ntergrund:</translation>
    </message>
    <message>
        <source>Message Fo&amp;nt...</source>
        <translation>Nachrichten-Schri&amp;ft...</translation>
    </message>
    <message>
        <source>Tit&amp;le Font...</source>
        <translation>Titels&amp;chrift...</translation>
    </message>
    <message>
        <source>Eyedropper Tool...</source>
        <translation>Pipette...</translation>
    </message>
</context>
<context>
    <name>CComponentPanel</name>
    <message>
        <source>&amp;Bitmap</source>
        <translation>B&amp;itmap</translation>
    </message>
    <message>
        <source>Bounding Rectangle</source>
        <translation>Umgebendes Rechteck</translation>
    </message>
    <message>
        <source>&amp;Component:</source>
        <translation>Ko&amp;mponente:</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>An&amp;wenden</translation>
    </message>
    <message>
        <source>T&amp;ransparency:</source>
        <translation>T&amp;ransparenz:</translation>
    </message>
    <message>
        <source>(left)</source>
        <translation>(links)</translation>
    </message>
    <message>
        <source>(top)</source>
        <translation>(oben)</translation>
    </message>
    <message>
        <source>(right)</source>
        <translation>(rechts)</translation>
    </message>
    <message>
        <source>(bottom)</source>
        <translation>(unten)</translation>
    </message>
    <message>
        <source>Click this button to update the preview on the right with the numbers above</source>
        <translation>Zeigt die Zahlen oben in der Vorschau rechts an</translation>
    </message>
    <message>
        <source>Set Bo&amp;x</source>
        <translation>Rahmen &amp;setzen</translation>
    </message>
    <message>
        <source>Eyedropper Tool...</source>
        <translation>Pipette...</translation>
    </message>
    <message>
        <source>Browse for Bitmap</source>
        <translation>Bitmap suchen</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not an image file.

Skin images are taken from BMP files, or from PNG, GIF, JPEG and other images, which become bitmaps.</source>
        <translation>Die Datei „%1“ ist keine Bilddatei.

Skin-Bilder stammen aus BMP-Dateien oder aus PNG-, GIF-, JPEG- und anderen Bildern, die zu Bitmaps werden.</translation>
    </message>
    <message>
        <source>The bitmap file &quot;%1&quot; could not be read.

%2</source>
        <translation>Die Bitmap-Datei „%1“ konnte nicht gelesen werden.

%2</translation>
    </message>
    <message>
        <source>You&apos;ve changed this component.  Would you like to apply the changes before switching to a new component?</source>
        <translation>Sie haben diese Komponente geändert. Möchten Sie die Änderungen anwenden, bevor Sie zu einer anderen Komponente wechseln?</translation>
    </message>
    <message>
        <source>You&apos;ve changed this component.  Would you like to apply the changes first?</source>
        <translation>Sie haben diese Komponente geändert. Möchten Sie die Änderungen zuerst anwenden?</translation>
    </message>
</context>
<context>
    <name>CImageViewPanel</name>
    <message>
        <source>The Note&apos;s Title</source>
        <translation>Der Titel der Notiz</translation>
    </message>
    <message>
        <source>The note&apos;s message will be placed here in the skin.  Click and drag with the rectangle picker on to place a new rectangle or click inside the rectangle and drag to move the current rectangle.</source>
        <translation>Hier steht im Skin die Nachricht der Notiz. Ziehen Sie bei eingeschalteter Rechteckauswahl ein neues Rechteck auf, oder klicken Sie in das Rechteck und ziehen Sie es, um es zu verschieben.</translation>
    </message>
    <message>
        <source>Image View</source>
        <translation>Bildansicht</translation>
    </message>
    <message>
        <source>Show the rectangle picker on the image</source>
        <translation>Die Rechteckauswahl auf dem Bild zeigen</translation>
    </message>
    <message>
        <source>Show Rectangle Picker</source>
        <translation>Rechteckauswahl zeigen</translation>
    </message>
    <message>
        <source>Image view</source>
        <translation>Bildansicht</translation>
    </message>
    <message>
        <source>%1, %2, %3, %4 (%5 × %6)</source>
        <translation>%1, %2, %3, %4 (%5 × %6)</translation>
    </message>
</context>
<context>
    <name>CIssuesPanel</name>
    <message>
        <source>Issues</source>
        <translation>Probleme</translation>
    </message>
    <message>
        <source>&amp;Issues</source>
        <translation>&amp;Probleme</translation>
    </message>
    <message>
        <source>&amp;Issues (%1 errors, %2 warnings)</source>
        <translation>&amp;Probleme (%1 Fehler, %2 Warnungen)</translation>
    </message>
    <message>
        <source>No issues found</source>
        <translation>Keine Probleme gefunden</translation>
    </message>
</context>
<context>
    <name>CSkinEditorDlg</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Recent &amp;Files</source>
        <translation>&amp;Zuletzt geöffnete Dateien</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Skin</source>
        <translation>S&amp;kin</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Transparency &amp;Display</source>
        <translation>Transparenz&amp;darstellung</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>New from &amp;Template...</source>
        <translation>Neu aus &amp;Vorlage...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Export Preview...</source>
        <translation>Vorschau &amp;exportieren...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Edit Skin Details...</source>
        <translation>Skin-&amp;Details bearbeiten...</translation>
    </message>
    <message>
        <source>Show &amp;Note Image</source>
        <translation>Noti&amp;zbild anzeigen</translation>
    </message>
    <message>
        <source>Show &amp;Title</source>
        <translation>&amp;Titel anzeigen</translation>
    </message>
    <message>
        <source>Show &amp;Message</source>
        <translation>&amp;Nachricht anzeigen</translation>
    </message>
    <message>
        <source>Show &amp;Close Button</source>
        <translation>&amp;Schließen-Schaltfläche anzeigen</translation>
    </message>
    <message>
        <source>&amp;Preview Skin</source>
        <translation>Skin-&amp;Vorschau</translation>
    </message>
    <message>
        <source>Open In &amp;Bitmap Editor...</source>
        <translation>In &amp;Bitmap-Editor öffnen...</translation>
    </message>
    <message>
        <source>&amp;Color Chooser...</source>
        <translation>&amp;Farbwähler...</translation>
    </message>
    <message>
        <source>&amp;Tavelo Help...</source>
        <translation>&amp;Tavelo-Hilfe...</translation>
    </message>
    <message>
        <source>&amp;Get Palimo Skins...</source>
        <translation>Palimo-&amp;Skins holen...</translation>
    </message>
    <message>
        <source>Tavelo &amp;Website...</source>
        <translation>Tavelo-&amp;Website...</translation>
    </message>
    <message>
        <source>&amp;About Tavelo...</source>
        <translation>Ü&amp;ber Tavelo...</translation>
    </message>
    <message>
        <source>&amp;Clear Menu</source>
        <translation>&amp;Menü leeren</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>&amp;Fit</source>
        <translation>&amp;Einpassen</translation>
    </message>
    <message>
        <source>Show &amp;Grid</source>
        <translation>&amp;Raster anzeigen</translation>
    </message>
    <message>
        <source>&amp;Key Color</source>
        <translation>&amp;Schlüsselfarbe</translation>
    </message>
    <message>
        <source>&amp;Checkerboard</source>
        <translation>Sch&amp;achbrett</translation>
    </message>
    <message>
        <source>&amp;Desktop Color</source>
        <translation>&amp;Desktopfarbe</translation>
    </message>
    <message>
        <source>&amp;Snap to Opaque Edges</source>
        <translation>An deckenden Kanten &amp;ausrichten</translation>
    </message>
    <message>
        <source>Issues &amp;Panel</source>
        <translation>&amp;Problemliste</translation>
    </message>
    <message>
        <source>%1 was converted from %2 to a 24-bit bitmap</source>
        <translation>%1 wurde von %2 in eine 24-Bit-Bitmap umgewandelt</translation>
    </message>
    <message>
        <source>Tavelo - %1</source>
        <translation>Tavelo - %1</translation>
    </message>
    <message>
        <source>[Untitled]</source>
        <translation>[Unbenannt]</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>You have made changes to this skin.  Would you like to save first?</source>
        <translation>Sie haben diesen Skin geändert. Möchten Sie ihn zuerst speichern?</translation>
    </message>
    <message>
        <source>No template skins are installed with Tavelo.</source>
        <translation>Mit Tavelo sind keine Vorlagen-Skins installiert.</translation>
    </message>
    <message>
        <source>The template &quot;%1&quot; could not be opened.

%2</source>
        <translation>Die Vorlage „%1“ konnte nicht geöffnet werden.

%2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; no longer exists. It has been removed from the Recent Files list.</source>
        <translation>Die Datei „%1“ gibt es nicht mehr. Sie wurde aus der Liste der zuletzt geöffneten Dateien entfernt.</translation>
    </message>
    <message>
        <source>The skin file &quot;%1&quot; could not be opened.

%2</source>
        <translation>Die Skin-Datei „%1“ konnte nicht geöffnet werden.

%2</translation>
    </message>
    <message>
        <source>The skin could not be saved as &quot;%1&quot;.

%2</source>
        <translation>Der Skin konnte nicht als „%1“ gespeichert werden.

%2</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>the images of the skin cannot be drawn</source>
        <translation>die Bilder des Skins können nicht gezeichnet werden</translation>
    </message>
    <message>
        <source>The preview could not be saved as &quot;%1&quot;.

%2</source>
        <translation>Die Vorschau konnte nicht als „%1“ gespeichert werden.

%2</translation>
    </message>
    <message>
        <source>You have not entered valid information for the following portion of the skin:

%1</source>
        <translation>Für den folgenden Teil des Skins fehlen gültige Angaben:

%1</translation>
    </message>
    <message>
        <source>The bitmap file &quot;%1&quot; has changed on disk.

Would you like to reload it into the skin&apos;s %2? The bitmap you chose for this component but have not applied will be dropped.</source>
        <translation>Die Bitmap-Datei „%1“ wurde auf dem Datenträger geändert.

Möchten Sie sie neu in das Bild „%2“ des Skins laden? Die Bitmap, die Sie für diese Komponente gewählt, aber noch nicht angewendet haben, wird verworfen.</translation>
    </message>
    <message>
        <source>%1 changed; not reloaded, your unapplied bitmap stays</source>
        <translation>%1 geändert; nicht neu geladen, Ihre nicht angewendete Bitmap bleibt</translation>
    </message>
    <message>
        <source>%1 is not an image now; the skin keeps its image</source>
        <translation>%1 ist jetzt kein Bild; der Skin behält sein Bild</translation>
    </message>
    <message>
        <source>%1 could not be read; the skin keeps its image. %2</source>
        <translation>%1 konnte nicht gelesen werden; der Skin behält sein Bild. %2</translation>
    </message>
    <message>
        <source>%1 was saved with the same picture</source>
        <translation>%1 wurde mit demselben Bild gespeichert</translation>
    </message>
    <message>
        <source>Reloaded %1</source>
        <translation>%1 neu geladen</translation>
    </message>
    <message>
        <source>Reloaded %1 (converted from %2)</source>
        <translation>%1 neu geladen (aus %2 umgewandelt)</translation>
    </message>
    <message>
        <source>%1 deleted or moved; no longer watched</source>
        <translation>%1 gelöscht oder verschoben; wird nicht mehr überwacht</translation>
    </message>
    <message>
        <source>Since there is no path to the current bitmap file, you cannot edit the bitmap.</source>
        <translation>Da kein Pfad zur aktuellen Bitmap-Datei angegeben ist, können Sie die Bitmap nicht bearbeiten.</translation>
    </message>
    <message>
        <source>Tintary (the color chooser program) could not be
found. Try running the Palimo installer with
the &apos;Tavelo&apos; option checked.</source>
        <translation>Tintary (das Farbwähler-Programm) wurde nicht
gefunden. Führen Sie das Palimo-Installationsprogramm
mit der Option „Tavelo“ aus.</translation>
    </message>
    <message>
        <source>Palimo failed to launch Tintary due to an unknown error. Contact tech-support for more information.</source>
        <translation>Palimo konnte Tintary wegen eines unbekannten Fehlers nicht starten. Wenden Sie sich für weitere Informationen an den technischen Support.</translation>
    </message>
    <message>
        <source>Tavelo could not open %1.

No program on this desktop accepted it.</source>
        <translation>Tavelo konnte %1 nicht öffnen.

Kein Programm auf diesem Desktop hat es angenommen.</translation>
    </message>
    <message>
        <source>The Tavelo help could not be found. Reinstall Tavelo to restore it.</source>
        <translation>Die Tavelo-Hilfe wurde nicht gefunden. Installieren Sie Tavelo neu, um sie wiederherzustellen.</translation>
    </message>
    <message>
        <source>Tavelo could not open &quot;%1&quot;: there is no such file.</source>
        <translation>Tavelo konnte „%1“ nicht öffnen: Diese Datei gibt es nicht.</translation>
    </message>
    <message>
        <source>Tavelo could not open &quot;%1&quot; in a bitmap editor.

No program on this desktop accepted it.</source>
        <translation>Tavelo konnte „%1“ nicht in einem Bitmap-Editor öffnen.

Kein Programm auf diesem Desktop hat sie angenommen.</translation>
    </message>
    <message>
        <source>Tavelo could not open the Tavelo help, &quot;%1&quot;.

No program on this desktop accepted it.</source>
        <translation>Tavelo konnte die Tavelo-Hilfe „%1“ nicht öffnen.

Kein Programm auf diesem Desktop hat sie angenommen.</translation>
    </message>
</context>
</TS>
