<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
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
</TS>
