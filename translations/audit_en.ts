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
    <name>FindingsTab</name>
    <message numerus="yes">
        <source>%n locks judged by the archive&apos;s hours, closed days and thresholds.</source>
        <translation>
            <numerusform>%n lock judged by the archive&apos;s hours, closed days and thresholds.</numerusform>
            <numerusform>%n locks judged by the archive&apos;s hours, closed days and thresholds.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Findings: %n locks, %1 to %2</source>
        <translation>
            <numerusform>Findings: %n lock, %1 to %2</numerusform>
            <numerusform>Findings: %n locks, %1 to %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Findings: %n locks</source>
        <translation>
            <numerusform>Findings: %n lock</numerusform>
            <numerusform>Findings: %n locks</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LockClock</name>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n hour</numerusform>
            <numerusform>%n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minutes</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LocksTab</name>
    <message numerus="yes">
        <source>%n events found</source>
        <translation>
            <numerusform>%n event found</numerusform>
            <numerusform>%n events found</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Findings of the last %n days, today included, as the archive&apos;s hours, closed days and thresholds judge them</source>
        <translation>
            <numerusform>Findings of the last day, today included, as the archive&apos;s hours, closed days and thresholds judge them</numerusform>
            <numerusform>Findings of the last %n days, today included, as the archive&apos;s hours, closed days and thresholds judge them</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.</source>
        <translation>
            <numerusform>%n audit of lock %1 written to %2, with its SHA-256 sum in SHA256SUMS.</numerusform>
            <numerusform>%n audits of lock %1 written to %2, with their SHA-256 sums in SHA256SUMS.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Events found: %n</source>
        <translation>
            <numerusform>Events found: %n</numerusform>
            <numerusform>Events found: %n</numerusform>
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
    <message numerus="yes">
        <source>%n events shown of %1</source>
        <translation>
            <numerusform>%n event shown of %1</numerusform>
            <numerusform>%n events shown of %1</numerusform>
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
