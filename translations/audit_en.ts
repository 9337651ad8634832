<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Archive</name>
    <message numerus="yes">
        <source>The archive %1 was upgraded for this version: its %n audits are chained now, so that any later change shows.</source>
        <translation>
            <numerusform>The archive %1 was upgraded for this version: its audit is chained now, so that any later change shows.</numerusform>
            <numerusform>The archive %1 was upgraded for this version: its %n audits are chained now, so that any later change shows.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>%n gaps</source>
        <translation>
            <numerusform>%n gap</numerusform>
            <numerusform>%n gaps</numerusform>
        </translation>
    </message>
</context>
</TS>
