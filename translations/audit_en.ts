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
    <message numerus="yes">
        <source>The users log is cut short: %n bytes of 832.</source>
        <translation>
            <numerusform>The users log is cut short: %n byte of 832.</numerusform>
            <numerusform>The users log is cut short: %n bytes of 832.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message numerus="yes">
        <source>%n tenures kept for lock %1.</source>
        <translation>
            <numerusform>%n tenure kept for lock %1.</numerusform>
            <numerusform>%n tenures kept for lock %1.</numerusform>
        </translation>
    </message>
</context>
</TS>
