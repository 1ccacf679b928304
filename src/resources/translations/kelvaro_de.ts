<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="de_DE">
<context>
    <name>RunAnnouncement</name>
    <message numerus="yes">
        <source>%1 in %n Sekunden</source>
        <extracomment>The action and the number of seconds: &quot;Herunterfahren in 60 Sekunden&quot;, &quot;Abmelden in 1 Sekunde&quot;.</extracomment>
        <translation>
            <numerusform>%1 in %n Sekunde</numerusform>
            <numerusform>%1 in %n Sekunden</numerusform>
        </translation>
    </message>
</context>
</TS>
