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
        <source>and %n more differences between the search table and its audits</source>
        <translation>
            <numerusform>and %n more difference between the search table and its audits</numerusform>
            <numerusform>and %n more differences between the search table and its audits</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the search table holds %n events of no lock</source>
        <translation>
            <numerusform>the search table holds %n event of no lock</numerusform>
            <numerusform>the search table holds %n events of no lock</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n stored histories belong to no lock</source>
        <translation>
            <numerusform>%n stored history belongs to no lock</numerusform>
            <numerusform>%n stored histories belong to no lock</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message numerus="yes">
        <source>%n audits</source>
        <translation>
            <numerusform>%n audit</numerusform>
            <numerusform>%n audits</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n locks</source>
        <translation>
            <numerusform>%n lock</numerusform>
            <numerusform>%n locks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.</source>
        <translation>
            <numerusform>%n audit of lock %1 written to %2, with its SHA-256 sum in SHA256SUMS.</numerusform>
            <numerusform>%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.</numerusform>
        </translation>
    </message>
</context>
</TS>
