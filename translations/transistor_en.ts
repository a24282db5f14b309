<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Classroom</name>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>&amp;Step one tick</source>
        <translation>&amp;Step one tick</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>Zoom &amp;in</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>&amp;Actual size</source>
        <translation>&amp;Actual size</translation>
    </message>
    <message>
        <source>&amp;Copy picture</source>
        <translation>&amp;Copy picture</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>&amp;Resume</translation>
    </message>
    <message>
        <source>Rea&amp;douts...</source>
        <translation>Rea&amp;douts...</translation>
    </message>
    <message>
        <source>Copy &amp;link to this setup</source>
        <translation>Copy &amp;link to this setup</translation>
    </message>
    <message>
        <source>&amp;Keys</source>
        <translation>&amp;Keys</translation>
    </message>
    <message>
        <source>Open this menu</source>
        <translation>Open this menu</translation>
    </message>
    <message>
        <source>Classroom menu</source>
        <translation>Classroom menu</translation>
    </message>
    <message>
        <source>&amp;Fit to window</source>
        <translation>&amp;Fit to window</translation>
    </message>
    <message>
        <source>&amp;High contrast</source>
        <translation>&amp;High contrast</translation>
    </message>
</context>
<context>
    <name>Description</name>
    <message>
        <source>The animation is paused.</source>
        <translation>The animation is paused.</translation>
    </message>
    <message>
        <source>The animation could not keep up with the clock and has skipped %1 s since Start; each readout still counts 10 s of animation.</source>
        <translation>The animation could not keep up with the clock and has skipped %1 s since Start; each readout still counts 10 s of animation.</translation>
    </message>
    <message>
        <source>Energy bands of an npn transistor as drawn at design time; no carriers yet. Press Start to lay the diagram out from the inputs.</source>
        <translation>Energy bands of an npn transistor as drawn at design time; no carriers yet. Press Start to lay the diagram out from the inputs.</translation>
    </message>
    <message>
        <source>Electrons in the emitter: %1, in the base: %2, in the collector: %4, in the junctions: %5. Holes in the base: %3. The barrier that emitter electrons face is %6 eV; the collector&apos;s conduction edge lies %7 eV below the base&apos;s. Since the last update: pairs generated: %8, recombined: %9.</source>
        <translation>Electrons in the emitter: %1, in the base: %2, in the collector: %4, in the junctions: %5. Holes in the base: %3. The barrier that emitter electrons face is %6 eV; the collector&apos;s conduction edge lies %7 eV below the base&apos;s. Since the last update: pairs generated: %8, recombined: %9.</translation>
    </message>
    <message>
        <source>One point at every step of the animation, higher for more electrons. Electrons now: %1.</source>
        <translation>One point at every step of the animation, higher for more electrons. Electrons now: %1.</translation>
    </message>
</context>
<context>
    <name>Desktop</name>
    <message>
        <source>Transistor band diagram</source>
        <translation>Transistor band diagram</translation>
    </message>
    <message>
        <source>Watch electrons and holes move through the energy bands of an npn transistor</source>
        <translation>Watch electrons and holes move through the energy bands of an npn transistor</translation>
    </message>
    <message>
        <source>transistor;semiconductor;band diagram;electron;hole;</source>
        <extracomment>Search words of the menu entry; each one ends with a semicolon.</extracomment>
        <translation>transistor;semiconductor;band diagram;electron;hole;</translation>
    </message>
</context>
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
    <message>
        <source>Temperature (K)</source>
        <translation>Temperature (K)</translation>
    </message>
    <message>
        <source>Read at each Start and Restart. A typical value is 300.</source>
        <translation>Read at each Start and Restart. A typical value is 300.</translation>
    </message>
    <message>
        <source>Emitter Fermi level (eV)</source>
        <translation>Emitter Fermi level (eV)</translation>
    </message>
    <message>
        <source>Above the emitter&apos;s valence-band edge, read at each Start and Restart. A typical value is 0.9.</source>
        <translation>Above the emitter&apos;s valence-band edge, read at each Start and Restart. A typical value is 0.9.</translation>
    </message>
    <message>
        <source>Base Fermi level (eV)</source>
        <translation>Base Fermi level (eV)</translation>
    </message>
    <message>
        <source>Above the base&apos;s valence-band edge, read at each Start and Restart. A typical value is 0.2.</source>
        <translation>Above the base&apos;s valence-band edge, read at each Start and Restart. A typical value is 0.2.</translation>
    </message>
    <message>
        <source>Collector Fermi level (eV)</source>
        <translation>Collector Fermi level (eV)</translation>
    </message>
    <message>
        <source>Above the collector&apos;s valence-band edge, read at each Start and Restart. A typical value is 0.7.</source>
        <translation>Above the collector&apos;s valence-band edge, read at each Start and Restart. A typical value is 0.7.</translation>
    </message>
    <message>
        <source>Emitter–base voltage VEB (V)</source>
        <translation>Emitter–base voltage VEB (V)</translation>
    </message>
    <message>
        <source>Forward bias, read at each Start and Restart and kept between 0 and 0.6 V. A typical value is 0.5.</source>
        <translation>Forward bias, read at each Start and Restart and kept between 0 and 0.6 V. A typical value is 0.5.</translation>
    </message>
    <message>
        <source>Collector–base voltage VCB (V)</source>
        <translation>Collector–base voltage VCB (V)</translation>
    </message>
    <message>
        <source>Reverse bias, read at each Start and Restart and kept between 0 and 2 V. A typical value is 1.5.</source>
        <translation>Reverse bias, read at each Start and Restart and kept between 0 and 2 V. A typical value is 1.5.</translation>
    </message>
    <message>
        <source>Written by the program every 10 seconds: holes fed into the base minus holes drained from it since the last readout.</source>
        <translation>Written by the program every 10 seconds: holes fed into the base minus holes drained from it since the last readout.</translation>
    </message>
    <message>
        <source>Collector current (mA)</source>
        <translation>Collector current (mA)</translation>
    </message>
    <message>
        <source>Written by the program every 10 seconds: electrons added at the contacts minus electrons taken away since the last readout.</source>
        <translation>Written by the program every 10 seconds: electrons added at the contacts minus electrons taken away since the last readout.</translation>
    </message>
    <message>
        <source>Number of electrons</source>
        <translation>Number of electrons</translation>
    </message>
    <message>
        <source>Written by the program whenever an electron-hole pair is generated.</source>
        <translation>Written by the program whenever an electron-hole pair is generated.</translation>
    </message>
    <message>
        <source>Number of holes</source>
        <translation>Number of holes</translation>
    </message>
    <message>
        <source>Electrons in the emitter and the emitter–base junction</source>
        <translation>Electrons in the emitter and the emitter–base junction</translation>
    </message>
    <message>
        <source>Written by the program at every step of the animation.</source>
        <translation>Written by the program at every step of the animation.</translation>
    </message>
    <message>
        <source>Electrons in the collector</source>
        <translation>Electrons in the collector</translation>
    </message>
    <message>
        <source>Collector electron target</source>
        <translation>Collector electron target</translation>
    </message>
    <message>
        <source>Written by the program at each Start and Restart: how many electrons the collector is kept stocked with.</source>
        <translation>Written by the program at each Start and Restart: how many electrons the collector is kept stocked with.</translation>
    </message>
    <message>
        <source>Electron count over time</source>
        <translation>Electron count over time</translation>
    </message>
    <message>
        <source>One point at every step of the animation, higher for more electrons.</source>
        <translation>One point at every step of the animation, higher for more electrons.</translation>
    </message>
    <message>
        <source>Lays out the band diagram from the inputs, scatters the carriers and starts the animation.</source>
        <translation>Lays out the band diagram from the inputs, scatters the carriers and starts the animation.</translation>
    </message>
    <message>
        <source>Lays out the band diagram again from the inputs while the animation goes on.</source>
        <translation>Lays out the band diagram again from the inputs while the animation goes on.</translation>
    </message>
    <message>
        <source>Ends the program.</source>
        <translation>Ends the program.</translation>
    </message>
    <message>
        <source>E C, conduction-band edge</source>
        <translation>E C, conduction-band edge</translation>
    </message>
    <message>
        <source>E V, valence-band edge</source>
        <translation>E V, valence-band edge</translation>
    </message>
    <message>
        <source>E F, Fermi level</source>
        <translation>E F, Fermi level</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>A shape of the window&apos;s design that takes no part in the simulation.</source>
        <translation>A shape of the window&apos;s design that takes no part in the simulation.</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Rectangle</translation>
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
        <translation>%1: the box is empty. %2</translation>
    </message>
    <message>
        <source>%1: the box holds only spaces. %2</source>
        <translation>%1: the box holds only spaces. %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number. %3</source>
        <translation>%1: &quot;%2&quot; is not a number. %3</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is too large to use. %3</source>
        <translation>%1: &quot;%2&quot; is too large to use. %3</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is too far below zero to use. %3</source>
        <translation>%1: &quot;%2&quot; is too far below zero to use. %3</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; puts the band diagram outside the range the program can draw. %3</source>
        <translation>%1: &quot;%2&quot; puts the band diagram outside the range the program can draw. %3</translation>
    </message>
    <message>
        <source>The animation stopped: run-time error &quot;%1&quot; in the simulation step. Change the inputs and press Start.</source>
        <translation>The animation stopped: run-time error &quot;%1&quot; in the simulation step. Change the inputs and press Start.</translation>
    </message>
    <message>
        <source>Temperature (K)</source>
        <translation>Temperature (K)</translation>
    </message>
    <message>
        <source>Emitter Fermi level (eV)</source>
        <translation>Emitter Fermi level (eV)</translation>
    </message>
    <message>
        <source>Base Fermi level (eV)</source>
        <translation>Base Fermi level (eV)</translation>
    </message>
    <message>
        <source>Collector Fermi level (eV)</source>
        <translation>Collector Fermi level (eV)</translation>
    </message>
    <message>
        <source>Emitter–base voltage VEB (V)</source>
        <translation>Emitter–base voltage VEB (V)</translation>
    </message>
    <message>
        <source>Collector–base voltage VCB (V)</source>
        <translation>Collector–base voltage VCB (V)</translation>
    </message>
    <message>
        <source>Enter a temperature in kelvin, such as 300.</source>
        <translation>Enter a temperature in kelvin, such as 300.</translation>
    </message>
    <message>
        <source>Enter a level in eV above the valence-band edge, such as 0.9.</source>
        <translation>Enter a level in eV above the valence-band edge, such as 0.9.</translation>
    </message>
    <message>
        <source>Enter a level in eV above the valence-band edge, such as 0.2.</source>
        <translation>Enter a level in eV above the valence-band edge, such as 0.2.</translation>
    </message>
    <message>
        <source>Enter a level in eV above the valence-band edge, such as 0.7.</source>
        <translation>Enter a level in eV above the valence-band edge, such as 0.7.</translation>
    </message>
    <message>
        <source>Enter a voltage in volts, such as 0.5.</source>
        <translation>Enter a voltage in volts, such as 0.5.</translation>
    </message>
    <message>
        <source>Enter a voltage in volts, such as 1.5.</source>
        <translation>Enter a voltage in volts, such as 1.5.</translation>
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
        <translation>The program has ended. You may close this page.</translation>
    </message>
    <message>
        <source>chart</source>
        <translation>chart</translation>
    </message>
    <message>
        <source>The browser keeps the clipboard from this page. Copy the link from here:</source>
        <translation>The browser keeps the clipboard from this page. Copy the link from here:</translation>
    </message>
    <message>
        <source>The browser keeps the clipboard from this page. Copy the picture from here with a right click:</source>
        <translation>The browser keeps the clipboard from this page. Copy the picture from here with a right click:</translation>
    </message>
</context>
<context>
    <name>Readouts</name>
    <message>
        <source>readout</source>
        <translation>readout</translation>
    </message>
    <message>
        <source>time (s)</source>
        <translation>time (s)</translation>
    </message>
    <message>
        <source>since Start or Restart (s)</source>
        <translation>since Start or Restart (s)</translation>
    </message>
    <message>
        <source>collector readout</source>
        <translation>collector readout</translation>
    </message>
    <message>
        <source>base readout</source>
        <translation>base readout</translation>
    </message>
    <message>
        <source>electrons</source>
        <translation>electrons</translation>
    </message>
    <message>
        <source>holes</source>
        <translation>holes</translation>
    </message>
    <message>
        <source>temperature (K)</source>
        <translation>temperature (K)</translation>
    </message>
    <message>
        <source>emitter Fermi level (eV)</source>
        <translation>emitter Fermi level (eV)</translation>
    </message>
    <message>
        <source>base Fermi level (eV)</source>
        <translation>base Fermi level (eV)</translation>
    </message>
    <message>
        <source>collector Fermi level (eV)</source>
        <translation>collector Fermi level (eV)</translation>
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
        <translation>whole</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source>%1 K, EF %2 / %3 / %4 eV, VEB %5 V, VCB %6 V</source>
        <translation>%1 K, EF %2 / %3 / %4 eV, VEB %5 V, VCB %6 V</translation>
    </message>
    <message>
        <source>setting</source>
        <translation>setting</translation>
    </message>
    <message>
        <source>inputs</source>
        <translation>inputs</translation>
    </message>
    <message>
        <source>whole readouts</source>
        <translation>whole readouts</translation>
    </message>
    <message>
        <source>collector mean</source>
        <translation>collector mean</translation>
    </message>
    <message>
        <source>collector spread</source>
        <translation>collector spread</translation>
    </message>
    <message>
        <source>base mean</source>
        <translation>base mean</translation>
    </message>
    <message>
        <source>base spread</source>
        <translation>base spread</translation>
    </message>
    <message>
        <source>%1 readouts, one every 10 s. Only whole readouts (200 ticks of one setting, with no Start, Restart, pause or step among them) count in the means.</source>
        <translation>%1 readouts, one every 10 s. Only whole readouts (200 ticks of one setting, with no Start, Restart, pause or step among them) count in the means.</translation>
    </message>
    <message>
        <source>The oldest %1 readouts were dropped: the log keeps the last %2.</source>
        <translation>The oldest %1 readouts were dropped: the log keeps the last %2.</translation>
    </message>
    <message>
        <source>mean of a setting (dashed)</source>
        <translation>mean of a setting (dashed)</translation>
    </message>
    <message>
        <source>No readouts yet: the currents are read every 10 s.</source>
        <translation>No readouts yet: the currents are read every 10 s.</translation>
    </message>
    <message>
        <source>Chart of the collector and base readouts and of the electrons and holes against time, %1 s to %2 s.</source>
        <translation>Chart of the collector and base readouts and of the electrons and holes against time, %1 s to %2 s.</translation>
    </message>
    <message>
        <source>Setting %1 (%2): collector mean %3, base mean %4, from %5 whole readouts.</source>
        <translation>Setting %1 (%2): collector mean %3, base mean %4, from %5 whole readouts.</translation>
    </message>
    <message>
        <source>Setting %1 (%2): no whole readout yet.</source>
        <translation>Setting %1 (%2): no whole readout yet.</translation>
    </message>
    <message>
        <source>Readouts</source>
        <translation>Readouts</translation>
    </message>
    <message>
        <source>Every readout</source>
        <translation>Every readout</translation>
    </message>
    <message>
        <source>Summary per setting</source>
        <translation>Summary per setting</translation>
    </message>
    <message>
        <source>Chart of the readouts</source>
        <translation>Chart of the readouts</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Save CSV...</source>
        <translation>&amp;Save CSV...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>transistor::MainWindow</name>
    <message>
        <source>Band diagram</source>
        <translation>Band diagram</translation>
    </message>
</context>
</TS>
