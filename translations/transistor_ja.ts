<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>Form1</name>
    <message>
        <source>温度(K)</source>
        <translation>温度(K)</translation>
    </message>
    <message>
        <source>Fermi level (eV)</source>
        <translation>フェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>Base current (mA)</source>
        <translation>ベース電流 (mA)</translation>
    </message>
    <message>
        <source>Collector currnet (mA)</source>
        <translation>コレクタ電流 (mA)</translation>
    </message>
    <message>
        <source>電子数</source>
        <translation>電子数</translation>
    </message>
    <message>
        <source>正孔数</source>
        <translation>正孔数</translation>
    </message>
    <message>
        <source>p形</source>
        <translation>p形</translation>
    </message>
    <message>
        <source>n形</source>
        <translation>n形</translation>
    </message>
    <message>
        <source>電子濃度</source>
        <translation>電子濃度</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>スタート</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>リスタート</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Attention: This simulation is only for visual understanding, the current values are inaccurate.</source>
        <translation>注意：このシミュレーションは目で見て理解するためのもので、電流の値は正確ではありません。</translation>
    </message>
    <message>
        <source>Transistor visual simulation</source>
        <translation>トランジスタの可視化シミュレーション</translation>
    </message>
</context>
</TS>
