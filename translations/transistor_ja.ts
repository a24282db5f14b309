<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>Classroom</name>
    <message>
        <source>&amp;Pause</source>
        <translation>一時停止(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Step one tick</source>
        <translation>1 ステップ進める(&amp;S)</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>拡大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>縮小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <translation>元の大きさ(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Copy picture</source>
        <translation>図をコピー(&amp;C)</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>一時停止中</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>再開(&amp;R)</translation>
    </message>
    <message>
        <source>Rea&amp;douts...</source>
        <translation>読み取り記録(&amp;D)...</translation>
    </message>
    <message>
        <source>Copy &amp;link to this setup</source>
        <translation>この設定へのリンクをコピー(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Keys</source>
        <translation>キー一覧(&amp;K)</translation>
    </message>
    <message>
        <source>Open this menu</source>
        <translation>このメニューを開く</translation>
    </message>
    <message>
        <source>Classroom menu</source>
        <translation>授業用メニュー</translation>
    </message>
    <message>
        <source>&amp;Fit to window</source>
        <translation>ウィンドウに合わせる(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;High contrast</source>
        <translation>ハイコントラスト(&amp;H)</translation>
    </message>
</context>
<context>
    <name>Description</name>
    <message>
        <source>The animation is paused.</source>
        <translation>アニメーションは一時停止中です。</translation>
    </message>
    <message>
        <source>The animation could not keep up with the clock and has skipped %1 s since Start; each readout still counts 10 s of animation.</source>
        <translation>アニメーションが時計に追いつけず、スタートから %1 秒を飛ばしました。読み取り値はどれも 10 秒分のアニメーションを数えています。</translation>
    </message>
    <message>
        <source>Energy bands of an npn transistor as drawn at design time; no carriers yet. Press Start to lay the diagram out from the inputs.</source>
        <translation>設計時のままの npn トランジスタのエネルギーバンドで、キャリアはまだありません。「スタート」を押すと、入力値からバンド図を描きます。</translation>
    </message>
    <message>
        <source>Electrons in the emitter: %1, in the base: %2, in the collector: %4, in the junctions: %5. Holes in the base: %3. The barrier that emitter electrons face is %6 eV; the collector&apos;s conduction edge lies %7 eV below the base&apos;s. Since the last update: pairs generated: %8, recombined: %9.</source>
        <translation>電子の数はエミッタ %1、ベース %2、コレクタ %4、接合部 %5 です。ベースの正孔の数は %3 です。エミッタの電子が越える障壁の高さは %6 eV で、コレクタの伝導帯の下端はベースより %7 eV 低くなっています。前回の更新以降、電子・正孔対の生成は %8、再結合は %9 です。</translation>
    </message>
    <message>
        <source>One point at every step of the animation, higher for more electrons. Electrons now: %1.</source>
        <translation>アニメーションの各ステップで 1 点ずつ描かれ、電子が多いほど高い位置になります。現在の電子数は %1 です。</translation>
    </message>
</context>
<context>
    <name>Desktop</name>
    <message>
        <source>Transistor band diagram</source>
        <translation>トランジスタのバンド図</translation>
    </message>
    <message>
        <source>Watch electrons and holes move through the energy bands of an npn transistor</source>
        <translation>npn トランジスタのエネルギーバンドの中を電子と正孔が動くようすを観察します</translation>
    </message>
    <message>
        <source>transistor;semiconductor;band diagram;electron;hole;</source>
        <extracomment>Search words of the menu entry; each one ends with a semicolon.</extracomment>
        <translation>トランジスタ;半導体;バンド図;エネルギーバンド;電子;正孔;</translation>
    </message>
</context>
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
    <message>
        <source>Temperature (K)</source>
        <translation>温度 (K)</translation>
    </message>
    <message>
        <source>Read at each Start and Restart. A typical value is 300.</source>
        <translation>スタートとリスタートのたびに読み込みます。標準的な値は 300 です。</translation>
    </message>
    <message>
        <source>Emitter Fermi level (eV)</source>
        <translation>エミッタのフェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>Above the emitter&apos;s valence-band edge, read at each Start and Restart. A typical value is 0.9.</source>
        <translation>エミッタの価電子帯の上端から測った値で、スタートとリスタートのたびに読み込みます。標準的な値は 0.9 です。</translation>
    </message>
    <message>
        <source>Base Fermi level (eV)</source>
        <translation>ベースのフェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>Above the base&apos;s valence-band edge, read at each Start and Restart. A typical value is 0.2.</source>
        <translation>ベースの価電子帯の上端から測った値で、スタートとリスタートのたびに読み込みます。標準的な値は 0.2 です。</translation>
    </message>
    <message>
        <source>Collector Fermi level (eV)</source>
        <translation>コレクタのフェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>Above the collector&apos;s valence-band edge, read at each Start and Restart. A typical value is 0.7.</source>
        <translation>コレクタの価電子帯の上端から測った値で、スタートとリスタートのたびに読み込みます。標準的な値は 0.7 です。</translation>
    </message>
    <message>
        <source>Emitter–base voltage VEB (V)</source>
        <translation>エミッタ・ベース間電圧 VEB (V)</translation>
    </message>
    <message>
        <source>Forward bias, read at each Start and Restart and kept between 0 and 0.6 V. A typical value is 0.5.</source>
        <translation>順方向バイアスです。スタートとリスタートのたびに読み込み、0～0.6 V の範囲に収めます。標準的な値は 0.5 です。</translation>
    </message>
    <message>
        <source>Collector–base voltage VCB (V)</source>
        <translation>コレクタ・ベース間電圧 VCB (V)</translation>
    </message>
    <message>
        <source>Reverse bias, read at each Start and Restart and kept between 0 and 2 V. A typical value is 1.5.</source>
        <translation>逆方向バイアスです。スタートとリスタートのたびに読み込み、0～2 V の範囲に収めます。標準的な値は 1.5 です。</translation>
    </message>
    <message>
        <source>Written by the program every 10 seconds: holes fed into the base minus holes drained from it since the last readout.</source>
        <translation>10 秒ごとにプログラムが書き込みます。前回の表示以降にベースへ供給された正孔の数から、ベースを出ていった正孔の数を引いた値です。</translation>
    </message>
    <message>
        <source>Collector current (mA)</source>
        <translation>コレクタ電流 (mA)</translation>
    </message>
    <message>
        <source>Written by the program every 10 seconds: electrons added at the contacts minus electrons taken away since the last readout.</source>
        <translation>10 秒ごとにプログラムが書き込みます。前回の表示以降に電極で加えられた電子の数から、取り去られた電子の数を引いた値です。</translation>
    </message>
    <message>
        <source>Number of electrons</source>
        <translation>電子数</translation>
    </message>
    <message>
        <source>Written by the program whenever an electron-hole pair is generated.</source>
        <translation>電子・正孔対が生成されるたびにプログラムが書き込みます。</translation>
    </message>
    <message>
        <source>Number of holes</source>
        <translation>正孔数</translation>
    </message>
    <message>
        <source>Electrons in the emitter and the emitter–base junction</source>
        <translation>エミッタとエミッタ・ベース接合にある電子の数</translation>
    </message>
    <message>
        <source>Written by the program at every step of the animation.</source>
        <translation>アニメーションの各ステップでプログラムが書き込みます。</translation>
    </message>
    <message>
        <source>Electrons in the collector</source>
        <translation>コレクタにある電子の数</translation>
    </message>
    <message>
        <source>Collector electron target</source>
        <translation>コレクタの電子数の目標値</translation>
    </message>
    <message>
        <source>Written by the program at each Start and Restart: how many electrons the collector is kept stocked with.</source>
        <translation>スタートとリスタートのたびにプログラムが書き込みます。コレクタに常に用意しておく電子の数です。</translation>
    </message>
    <message>
        <source>Electron count over time</source>
        <translation>電子数の時間変化</translation>
    </message>
    <message>
        <source>One point at every step of the animation, higher for more electrons.</source>
        <translation>アニメーションの各ステップで 1 点ずつ描かれ、電子が多いほど高い位置になります。</translation>
    </message>
    <message>
        <source>Lays out the band diagram from the inputs, scatters the carriers and starts the animation.</source>
        <translation>入力値からバンド図を描き、キャリアを配置してアニメーションを始めます。</translation>
    </message>
    <message>
        <source>Lays out the band diagram again from the inputs while the animation goes on.</source>
        <translation>アニメーションを続けたまま、入力値からバンド図を描き直します。</translation>
    </message>
    <message>
        <source>Ends the program.</source>
        <translation>プログラムを終了します。</translation>
    </message>
    <message>
        <source>E C, conduction-band edge</source>
        <translation>E C、伝導帯の下端</translation>
    </message>
    <message>
        <source>E V, valence-band edge</source>
        <translation>E V、価電子帯の上端</translation>
    </message>
    <message>
        <source>E F, Fermi level</source>
        <translation>E F、フェルミ準位</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>円</translation>
    </message>
    <message>
        <source>A shape of the window&apos;s design that takes no part in the simulation.</source>
        <translation>画面のデザインの図形で、シミュレーションには関わりません。</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>長方形</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>%1: the box is empty. %2</source>
        <translation>%1：入力欄が空です。%2</translation>
    </message>
    <message>
        <source>%1: the box holds only spaces. %2</source>
        <translation>%1：入力欄に空白しかありません。%2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number. %3</source>
        <translation>%1：「%2」は数値ではありません。%3</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is too large to use. %3</source>
        <translation>%1：「%2」は大きすぎて使えません。%3</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is too far below zero to use. %3</source>
        <translation>%1：「%2」は 0 を大きく下回るため使えません。%3</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; puts the band diagram outside the range the program can draw. %3</source>
        <translation>%1：「%2」ではバンド図がプログラムで描ける範囲の外に出てしまいます。%3</translation>
    </message>
    <message>
        <source>The animation stopped: run-time error &quot;%1&quot; in the simulation step. Change the inputs and press Start.</source>
        <translation>アニメーションが止まりました。シミュレーションの計算中に実行時エラー「%1」が起きました。入力値を変えて「スタート」を押してください。</translation>
    </message>
    <message>
        <source>Temperature (K)</source>
        <translation>温度 (K)</translation>
    </message>
    <message>
        <source>Emitter Fermi level (eV)</source>
        <translation>エミッタのフェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>Base Fermi level (eV)</source>
        <translation>ベースのフェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>Collector Fermi level (eV)</source>
        <translation>コレクタのフェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>Emitter–base voltage VEB (V)</source>
        <translation>エミッタ・ベース間電圧 VEB (V)</translation>
    </message>
    <message>
        <source>Collector–base voltage VCB (V)</source>
        <translation>コレクタ・ベース間電圧 VCB (V)</translation>
    </message>
    <message>
        <source>Enter a temperature in kelvin, such as 300.</source>
        <translation>300 のように、温度をケルビン単位で入力してください。</translation>
    </message>
    <message>
        <source>Enter a level in eV above the valence-band edge, such as 0.9.</source>
        <translation>0.9 のように、価電子帯の上端から測った準位を eV 単位で入力してください。</translation>
    </message>
    <message>
        <source>Enter a level in eV above the valence-band edge, such as 0.2.</source>
        <translation>0.2 のように、価電子帯の上端から測った準位を eV 単位で入力してください。</translation>
    </message>
    <message>
        <source>Enter a level in eV above the valence-band edge, such as 0.7.</source>
        <translation>0.7 のように、価電子帯の上端から測った準位を eV 単位で入力してください。</translation>
    </message>
    <message>
        <source>Enter a voltage in volts, such as 0.5.</source>
        <translation>0.5 のように、電圧をボルト単位で入力してください。</translation>
    </message>
    <message>
        <source>Enter a voltage in volts, such as 1.5.</source>
        <translation>1.5 のように、電圧をボルト単位で入力してください。</translation>
    </message>
</context>
<context>
    <name>Page</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The program has ended. You may close this page.</source>
        <translation>プログラムは終了しました。このページを閉じてください。</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>グラフ</translation>
    </message>
    <message>
        <source>The browser keeps the clipboard from this page. Copy the link from here:</source>
        <translation>このページではブラウザーがクリップボードを使わせません。ここからリンクをコピーしてください:</translation>
    </message>
    <message>
        <source>The browser keeps the clipboard from this page. Copy the picture from here with a right click:</source>
        <translation>このページではブラウザーがクリップボードを使わせません。ここから右クリックで図をコピーしてください:</translation>
    </message>
</context>
<context>
    <name>Readouts</name>
    <message>
        <source>readout</source>
        <translation>読み取り番号</translation>
    </message>
    <message>
        <source>time (s)</source>
        <translation>時刻 (s)</translation>
    </message>
    <message>
        <source>since Start or Restart (s)</source>
        <translation>Start/Restart からの時間 (s)</translation>
    </message>
    <message>
        <source>collector readout</source>
        <translation>コレクタ電流の読み</translation>
    </message>
    <message>
        <source>base readout</source>
        <translation>ベース電流の読み</translation>
    </message>
    <message>
        <source>electrons</source>
        <translation>電子数</translation>
    </message>
    <message>
        <source>holes</source>
        <translation>正孔数</translation>
    </message>
    <message>
        <source>temperature (K)</source>
        <translation>温度 (K)</translation>
    </message>
    <message>
        <source>emitter Fermi level (eV)</source>
        <translation>エミッタのフェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>base Fermi level (eV)</source>
        <translation>ベースのフェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>collector Fermi level (eV)</source>
        <translation>コレクタのフェルミ準位 (eV)</translation>
    </message>
    <message>
        <source>VEB (V)</source>
        <translation>VEB (V)</translation>
    </message>
    <message>
        <source>VCB (V)</source>
        <translation>VCB (V)</translation>
    </message>
    <message>
        <source>whole</source>
        <translation>完全</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>no</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>%1 K, EF %2 / %3 / %4 eV, VEB %5 V, VCB %6 V</source>
        <translation>%1 K、EF %2 / %3 / %4 eV、VEB %5 V、VCB %6 V</translation>
    </message>
    <message>
        <source>setting</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>inputs</source>
        <translation>入力値</translation>
    </message>
    <message>
        <source>whole readouts</source>
        <translation>完全な読み取り数</translation>
    </message>
    <message>
        <source>collector mean</source>
        <translation>コレクタ平均</translation>
    </message>
    <message>
        <source>collector spread</source>
        <translation>コレクタのばらつき</translation>
    </message>
    <message>
        <source>base mean</source>
        <translation>ベース平均</translation>
    </message>
    <message>
        <source>base spread</source>
        <translation>ベースのばらつき</translation>
    </message>
    <message>
        <source>%1 readouts, one every 10 s. Only whole readouts (200 ticks of one setting, with no Start, Restart, pause or step among them) count in the means.</source>
        <translation>読み取り %1 回（10 秒ごと）。平均に入るのは完全な読み取り（1 つの設定で 200 ティック、その間に Start・Restart・一時停止・ステップのないもの）だけです。</translation>
    </message>
    <message>
        <source>The oldest %1 readouts were dropped: the log keeps the last %2.</source>
        <translation>古い読み取り %1 回分は消えました。記録は最新の %2 回分を残します。</translation>
    </message>
    <message>
        <source>mean of a setting (dashed)</source>
        <translation>設定ごとの平均（破線）</translation>
    </message>
    <message>
        <source>No readouts yet: the currents are read every 10 s.</source>
        <translation>まだ読み取りはありません。電流は 10 秒ごとに読み取られます。</translation>
    </message>
    <message>
        <source>Chart of the collector and base readouts and of the electrons and holes against time, %1 s to %2 s.</source>
        <translation>コレクタとベースの電流の読みと電子数・正孔数の時間変化のグラフ（%1 秒から %2 秒）。</translation>
    </message>
    <message>
        <source>Setting %1 (%2): collector mean %3, base mean %4, from %5 whole readouts.</source>
        <translation>設定 %1（%2）：コレクタ平均 %3、ベース平均 %4（完全な読み取り %5 回）。</translation>
    </message>
    <message>
        <source>Setting %1 (%2): no whole readout yet.</source>
        <translation>設定 %1（%2）：完全な読み取りはまだありません。</translation>
    </message>
    <message>
        <source>Readouts</source>
        <translation>読み取り記録</translation>
    </message>
    <message>
        <source>Every readout</source>
        <translation>すべての読み取り</translation>
    </message>
    <message>
        <source>Summary per setting</source>
        <translation>設定ごとのまとめ</translation>
    </message>
    <message>
        <source>Chart of the readouts</source>
        <translation>読み取りのグラフ</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Save CSV...</source>
        <translation>CSV で保存(&amp;S)...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>transistor::MainWindow</name>
    <message>
        <source>Band diagram</source>
        <translation>バンド図</translation>
    </message>
</context>
</TS>
