<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>voltaryn::FrontPanelView</name>
    <message>
        <source>Meter display</source>
        <translation>Anzeige des Messgeräts</translation>
    </message>
</context>
<context>
    <name>voltaryn::LiveGraphWindow</name>
    <message>
        <source>Classic colours</source>
        <translation>Klassische Farben</translation>
    </message>
    <message>
        <source>Readable colours</source>
        <translation>Gut lesbare Farben</translation>
    </message>
    <message>
        <source>Graph colours</source>
        <translation>Farben des Diagramms</translation>
    </message>
    <message>
        <source>Classic: the teal background of old. Readable: the desktop&apos;s background, with lines anyone can tell apart.</source>
        <translation>Klassisch: der gewohnte blaugrüne Hintergrund. Gut lesbar: der Hintergrund des Desktops, mit Linien, die jeder unterscheiden kann.</translation>
    </message>
</context>
<context>
    <name>voltaryn::ReadingDescription</name>
    <message>
        <source>battery low</source>
        <translation>Batterie schwach</translation>
    </message>
</context>
</TS>
