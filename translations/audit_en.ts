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
        <source>%1: %n new events</source>
        <translation>
            <numerusform>%1: %n new event</numerusform>
            <numerusform>%1: %n new events</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n gaps</source>
        <translation>
            <numerusform>, %n gap</numerusform>
            <numerusform>, %n gaps</numerusform>
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
    <name>DeviceOperation</name>
    <message numerus="yes">
        <source>The download was cancelled after %n events; they are kept, marked as partial.</source>
        <translation>
            <numerusform>The download was cancelled after %n event; it is kept, marked as partial.</numerusform>
            <numerusform>The download was cancelled after %n events; they are kept, marked as partial.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: the download stopped after %n events; they are kept, marked as partial.</source>
        <translation>
            <numerusform>%1: the download stopped after %n event; it is kept, marked as partial.</numerusform>
            <numerusform>%1: the download stopped after %n events; they are kept, marked as partial.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (partial: %n events)</source>
        <translation>
            <numerusform>%1 (partial: %n event)</numerusform>
            <numerusform>%1 (partial: %n events)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>Kept in the archive: lock %1, %n new events</source>
        <translation>
            <numerusform>Kept in the archive: lock %1, %n new event</numerusform>
            <numerusform>Kept in the archive: lock %1, %n new events</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n gaps</source>
        <translation>
            <numerusform>, %n gap</numerusform>
            <numerusform>, %n gaps</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n audits waiting to be sent</source>
        <translation>
            <numerusform>%n audit waiting to be sent</numerusform>
            <numerusform>%n audits waiting to be sent</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n audits sent to the archive</source>
        <translation>
            <numerusform>%n audit sent to the archive</numerusform>
            <numerusform>%n audits sent to the archive</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n gaps</source>
        <translation>
            <numerusform>%n gap</numerusform>
            <numerusform>%n gaps</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message numerus="yes">
        <source>%n audits sent</source>
        <translation>
            <numerusform>%n audit sent</numerusform>
            <numerusform>%n audits sent</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n still waiting.</source>
        <translation>
            <numerusform>; %n still waiting.</numerusform>
            <numerusform>; %n still waiting.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n new events</source>
        <translation>
            <numerusform>%1: %n new event</numerusform>
            <numerusform>%1: %n new events</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>, %n gaps</source>
        <translation>
            <numerusform>, %n gap</numerusform>
            <numerusform>, %n gaps</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n tenures kept for lock %1.</source>
        <translation>
            <numerusform>%n tenure kept for lock %1.</numerusform>
            <numerusform>%n tenures kept for lock %1.</numerusform>
        </translation>
    </message>
</context>
</TS>
