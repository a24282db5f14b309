<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Form1</name>
    <message>
        <source>温度(K)</source>
        <translation>Temperature (K)</translation>
    </message>
    <message>
        <source>Fermi level (eV)</source>
        <translation>Fermi level (eV)</translation>
    </message>
    <message>
        <source>Base current (mA)</source>
        <translation>Base current (mA)</translation>
    </message>
    <message>
        <source>Collector currnet (mA)</source>
        <translation>Collector current (mA)</translation>
    </message>
    <message>
        <source>電子数</source>
        <translation>Electrons</translation>
    </message>
    <message>
        <source>正孔数</source>
        <translation>Holes</translation>
    </message>
    <message>
        <source>p形</source>
        <translation>p-type</translation>
    </message>
    <message>
        <source>n形</source>
        <translation>n-type</translation>
    </message>
    <message>
        <source>電子濃度</source>
        <translation>Electron density</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Attention: This simulation is only for visual understanding, the current values are inaccurate.</source>
        <translation>Attention: This simulation is only for visual understanding, the current values are inaccurate.</translation>
    </message>
    <message>
        <source>Transistor visual simulation</source>
        <translation>Transistor visual simulation</translation>
    </message>
</context>
</TS>
