<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>enkin</name>
    <message>
        <source>The run stopped after point %1 of 600: the numbers grew too large.</source>
        <translation>Der Lauf endete nach Punkt %1 von 600: die Zahlen wurden zu groß.</translation>
    </message>
    <message>
        <source>Nothing drawn: the vertical scale needs a non-zero number.</source>
        <translation>Nichts gezeichnet: die senkrechte Skala braucht eine Zahl ungleich 0.</translation>
    </message>
    <message>
        <source>The vertical scale is the box at the top left of the plot, in 10^-9 M.</source>
        <translation>Die senkrechte Skala ist das Feld oben links am Diagramm, in 10^-9 M.</translation>
    </message>
    <message>
        <source>Nothing drawn: Maximum Time needs a non-zero number.</source>
        <translation>Nichts gezeichnet: die Maximalzeit braucht eine Zahl ungleich 0.</translation>
    </message>
    <message>
        <source>Nothing drawn: the vertical scale must be below %1.</source>
        <translation>Nichts gezeichnet: die senkrechte Skala muss unter %1 liegen.</translation>
    </message>
    <message>
        <source>The plot cannot draw a number that large. The vertical scale is the box at the top left of the plot, in 10^-9 M.</source>
        <translation>Das Diagramm kann keine so große Zahl zeichnen. Die senkrechte Skala ist das Feld oben links am Diagramm, in 10^-9 M.</translation>
    </message>
    <message>
        <source>Nothing drawn: Maximum Time must be below %1 msec.</source>
        <translation>Nichts gezeichnet: die Maximalzeit muss unter %1 ms liegen.</translation>
    </message>
    <message>
        <source>The plot cannot draw a time that large.</source>
        <translation>Das Diagramm kann keine so große Zeit zeichnen.</translation>
    </message>
    <message>
        <source>Km is undefined when k1 is 0, so the Km box is empty.</source>
        <translation>Km ist für k1 = 0 nicht definiert; das Km-Feld bleibt leer.</translation>
    </message>
    <message>
        <source>Km = (k-1 + k2) / k1.</source>
        <translation>Km = (k-1 + k2) / k1.</translation>
    </message>
    <message>
        <source>No Maximum Time suggested: k2 + k-1 + k1 [S]0 is 0.</source>
        <translation>Keine Maximalzeit vorgeschlagen: k2 + k-1 + k1 [S]0 ist 0.</translation>
    </message>
    <message>
        <source>Maximum Time keeps its value.</source>
        <translation>Die Maximalzeit behält ihren Wert.</translation>
    </message>
    <message>
        <source>Not accepted: the data table is full (20 readings).</source>
        <translation>Nicht übernommen: die Datentabelle ist voll (20 Messwerte).</translation>
    </message>
    <message>
        <source>Choose Data &gt; Clear All to start a new one.</source>
        <translation>Wählen Sie Daten &gt; Alle löschen, um eine neue zu beginnen.</translation>
    </message>
    <message>
        <source>Not accepted: %1 is empty, as the run stopped after point %2.</source>
        <translation>Nicht übernommen: %1 ist leer, weil der Lauf nach Punkt %2 endete.</translation>
    </message>
    <message>
        <source>Move the time slider to a point before the stop, or change the inputs so the run completes.</source>
        <translation>Schieben Sie den Zeitregler auf einen Punkt vor dem Ende, oder ändern Sie die Eingaben, damit der Lauf vollständig wird.</translation>
    </message>
    <message>
        <source>Not accepted: %1 is empty.</source>
        <translation>Nicht übernommen: %1 ist leer.</translation>
    </message>
    <message>
        <source>Plot or move the time slider to get a reading first.</source>
        <translation>Zeichnen Sie zuerst oder bewegen Sie den Zeitregler, um einen Messwert zu erhalten.</translation>
    </message>
    <message>
        <source>The vertical scale</source>
        <translation>Die senkrechte Skala</translation>
    </message>
    <message>
        <source>k1</source>
        <translation>k1</translation>
    </message>
    <message>
        <source>k2</source>
        <translation>k2</translation>
    </message>
    <message>
        <source>k-1</source>
        <translation>k-1</translation>
    </message>
    <message>
        <source>[E]0</source>
        <translation>[E]0</translation>
    </message>
    <message>
        <source>[ES]0</source>
        <translation>[ES]0</translation>
    </message>
    <message>
        <source>[S]0</source>
        <translation>[S]0</translation>
    </message>
    <message>
        <source>[P]0</source>
        <translation>[P]0</translation>
    </message>
    <message>
        <source>Maximum Time</source>
        <translation>Maximalzeit</translation>
    </message>
    <message>
        <source>%1 reads as %2: the decimal point is &quot;.&quot;.</source>
        <translation>%1 wird als %2 gelesen: das Dezimalzeichen ist der Punkt &quot;.&quot;.</translation>
    </message>
    <message>
        <source>Numbers are typed with a point in every language: 0.05, not 0,05.</source>
        <translation>Zahlen werden in jeder Sprache mit Punkt eingegeben: 0.05, nicht 0,05.</translation>
    </message>
    <message>
        <source>The backward run stopped after point %1 of 600.</source>
        <translation>Der Rückwärtslauf endete nach Punkt %1 von 600.</translation>
    </message>
    <message>
        <source>A negative Maximum Time runs the reaction backwards from its start, where the concentrations soon grow without bound; the boxes stay empty after that point.</source>
        <translation>Eine negative Maximalzeit lässt die Reaktion von ihrem Beginn aus rückwärts laufen, wo die Konzentrationen bald unbegrenzt wachsen; nach diesem Punkt bleiben die Felder leer.</translation>
    </message>
    <message>
        <source>The run stopped after point %1 of 600: a value below zero.</source>
        <translation>Der Lauf endete nach Punkt %1 von 600: ein Wert unter null.</translation>
    </message>
    <message>
        <source>A negative rate constant or concentration makes the concentrations grow without bound. In a real reaction none is below zero; the boxes stay empty after that point.</source>
        <translation>Eine negative Geschwindigkeitskonstante oder Konzentration lässt die Konzentrationen unbegrenzt wachsen. In einer echten Reaktion ist keine kleiner als null; nach diesem Punkt bleiben die Felder leer.</translation>
    </message>
    <message>
        <source>The rate constants or concentrations are so large that the rates go beyond the numbers the computer can hold. Make them smaller; the boxes stay empty after that point.</source>
        <translation>Die Geschwindigkeitskonstanten oder Konzentrationen sind so groß, dass die Raten die Zahlen übersteigen, die der Rechner darstellen kann. Wählen Sie sie kleiner; nach diesem Punkt bleiben die Felder leer.</translation>
    </message>
    <message>
        <source>No run: binding is faster than the computer can count.</source>
        <translation>Kein Lauf: die Bindung ist schneller, als der Rechner zählen kann.</translation>
    </message>
    <message>
        <source>Its rate, 100 k1 [S]0 + k-1 + k2 + k1 [E]0 / 10000, is beyond the numbers the computer can hold (k1 = %1, [S]0 = %2, [E]0 = %3, k-1 = %4, k2 = %5): make k1, [S]0 or [E]0 smaller.</source>
        <translation>Ihre Rate, 100 k1 [S]0 + k-1 + k2 + k1 [E]0 / 10000, übersteigt die Zahlen, die der Rechner darstellen kann (k1 = %1, [S]0 = %2, [E]0 = %3, k-1 = %4, k2 = %5): wählen Sie k1, [S]0 oder [E]0 kleiner.</translation>
    </message>
    <message>
        <source>[E]</source>
        <translation>[E]</translation>
    </message>
    <message>
        <source>[ES]</source>
        <translation>[ES]</translation>
    </message>
    <message>
        <source>[S]</source>
        <translation>[S]</translation>
    </message>
    <message>
        <source>d[P]/dt</source>
        <translation>d[P]/dt</translation>
    </message>
    <message>
        <source>Time Value</source>
        <translation>Zeitwert</translation>
    </message>
    <message>
        <source>Reading %1 of %2 recorded.</source>
        <translation>Messwert %1 von %2 aufgenommen.</translation>
    </message>
    <message>
        <source>It repeats the reading before it.</source>
        <translation>Er wiederholt den Messwert davor.</translation>
    </message>
    <message>
        <source>The same figures were recorded twice; Data &gt; Clear All starts the table again.</source>
        <translation>Dieselben Werte wurden zweimal aufgenommen; Daten &gt; Alle löschen beginnt die Tabelle neu.</translation>
    </message>
    <message>
        <source>The Results are from an earlier run: move the slider to read this one.</source>
        <translation>Die Ergebnisse stammen aus einem früheren Lauf: Bewegen Sie den Regler, um diesen abzulesen.</translation>
    </message>
    <message>
        <source>Plot does not read the slider. Accept Data would record the figures shown, with the run they came from.</source>
        <translation>Zeichnen liest den Regler nicht ab. Daten übernehmen würde die angezeigten Werte mit dem Lauf aufnehmen, aus dem sie stammen.</translation>
    </message>
    <message>
        <source>Reading %1 of %2 recorded, from the earlier run the Results show.</source>
        <translation>Messwert %1 von %2 aufgenommen, aus dem früheren Lauf, den die Ergebnisse zeigen.</translation>
    </message>
    <message>
        <source>Its rate is beyond the numbers the computer can hold ([S]0 = %1, [E]0 = %2): make [S]0 or [E]0 smaller.</source>
        <translation>Ihre Rate übersteigt die Zahlen, die der Rechner darstellen kann ([S]0 = %1, [E]0 = %2): wählen Sie [S]0 oder [E]0 kleiner.</translation>
    </message>
    <message>
        <source>[I]0</source>
        <translation>[I]0</translation>
    </message>
    <message>
        <source>k3</source>
        <translation>k3</translation>
    </message>
    <message>
        <source>k-3</source>
        <translation>k-3</translation>
    </message>
    <message>
        <source>k4</source>
        <translation>k4</translation>
    </message>
    <message>
        <source>k-4</source>
        <translation>k-4</translation>
    </message>
</context>
<context>
    <name>enkin::AboutEnkin</name>
    <message>
        <source>Program icon</source>
        <translation>Programmsymbol</translation>
    </message>
    <message>
        <source>Program title</source>
        <translation>Programmtitel</translation>
    </message>
    <message>
        <source>Program version</source>
        <translation>Programmversion</translation>
    </message>
    <message>
        <source>This module has been written to be used as part of a lab for students to explore the effects of varying parameters and initial conditions in the standard Michaelis Menten model.</source>
        <translation>Dieses Modul wurde für ein Praktikum geschrieben, in dem Studierende die Wirkung veränderter Parameter und Anfangsbedingungen im Standardmodell nach Michaelis und Menten erkunden.</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Written by the Enkin developers as a simulator for the teaching laboratory, where students watch enzyme kinetics reach the steady state and measure Km and Vmax.</source>
        <translation>Geschrieben von den Enkin-Entwicklern als Simulator für das Lehrlabor, in dem Studierende die Enzymkinetik den stationären Zustand erreichen sehen und Km und Vmax messen.</translation>
    </message>
    <message>
        <source>Credits</source>
        <translation>Mitwirkende</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close the About box</source>
        <translation>Den Info-Dialog schließen</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>enkin::AnalysisWindow</name>
    <message>
        <source>1 reading</source>
        <translation>1 Messwert</translation>
    </message>
    <message>
        <source>%1 readings</source>
        <translation>%1 Messwerte</translation>
    </message>
    <message>
        <source>undefined</source>
        <translation>nicht definiert</translation>
    </message>
    <message>
        <source>Analysis</source>
        <translation>Auswertung</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>Fit again to the readings now in the log</source>
        <translation>Erneut an die Messwerte in der Tabelle anpassen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>left out</source>
        <translation>ausgelassen</translation>
    </message>
    <message>
        <source>Direct fit of the hyperbola</source>
        <translation>Direkte Anpassung der Hyperbel</translation>
    </message>
    <message>
        <source>Lineweaver-Burk line</source>
        <translation>Lineweaver-Burk-Gerade</translation>
    </message>
    <message>
        <source>Hanes-Woolf line</source>
        <translation>Hanes-Woolf-Gerade</translation>
    </message>
    <message>
        <source>Eadie-Hofstee line</source>
        <translation>Eadie-Hofstee-Gerade</translation>
    </message>
    <message>
        <source>needs readings at two or more different [S]0</source>
        <translation>braucht Messwerte bei zwei oder mehr verschiedenen [S]0</translation>
    </message>
    <message>
        <source>gives a Km or Vmax that is not positive</source>
        <translation>ergibt ein Km oder Vmax, das nicht positiv ist</translation>
    </message>
    <message>
        <source>did not converge</source>
        <translation>konvergierte nicht</translation>
    </message>
    <message>
        <source> (no interval)</source>
        <translation> (kein Intervall)</translation>
    </message>
    <message>
        <source>k1 = %1 /M/s, k2 = %2 /s, k-1 = %3 /s, [E]0 = %4 M</source>
        <translation>k1 = %1 /M/s, k2 = %2 /s, k-1 = %3 /s, [E]0 = %4 M</translation>
    </message>
    <message>
        <source>seed %1</source>
        <translation>Startwert %1</translation>
    </message>
    <message>
        <source>The log holds no readings. Accept steady-state readings at two or more different [S]0 to fit Km and Vmax.</source>
        <translation>Die Tabelle enthält keine Messwerte. Übernehmen Sie Messwerte im stationären Zustand bei zwei oder mehr verschiedenen [S]0, um Km und Vmax anzupassen.</translation>
    </message>
    <message>
        <source>Fitting %1 of %2 against the [S]0 of their runs.</source>
        <translation>Angepasst: %1 von %2, gegen das [S]0 ihrer Läufe.</translation>
    </message>
    <message>
        <source> Readings marked in the table are left out; tick one to put it back.</source>
        <translation> In der Tabelle markierte Messwerte sind ausgelassen; ein Häkchen nimmt einen wieder auf.</translation>
    </message>
    <message>
        <source> The readings come from runs with different %1, which give different Km and Vmax: they are fitted as %2 separate groups.</source>
        <translation> Die Messwerte stammen aus Läufen mit verschiedenem %1, die verschiedene Km und Vmax ergeben: sie werden als %2 getrennte Gruppen angepasst.</translation>
    </message>
    <message>
        <source>%1: Km = %2 M, Vmax = %3 M/s</source>
        <translation>%1: Km = %2 M, Vmax = %3 M/s</translation>
    </message>
    <message>
        <source>&lt;b&gt;Group %1&lt;/b&gt;: %2 used. %3.&lt;br&gt;</source>
        <translation>&lt;b&gt;Gruppe %1&lt;/b&gt;: %2 verwendet. %3.&lt;br&gt;</translation>
    </message>
    <message>
        <source>True values, from the runs&apos; constants</source>
        <translation>Wahre Werte, aus den Konstanten der Läufe</translation>
    </message>
    <message>
        <source>Results of group %1</source>
        <translation>Ergebnisse der Gruppe %1</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>Use</source>
        <translation>Verw.</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>v (M/s)</source>
        <translation>v (M/s)</translation>
    </message>
    <message>
        <source>t (ms)</source>
        <translation>t (ms)</translation>
    </message>
    <message>
        <source>Group and marks</source>
        <translation>Gruppe und Markierungen</translation>
    </message>
    <message>
        <source>used</source>
        <translation>verwendet</translation>
    </message>
    <message>
        <source>group %1</source>
        <translation>Gruppe %1</translation>
    </message>
    <message>
        <source>Copied the results for a spreadsheet.</source>
        <translation>Die Ergebnisse wurden für eine Tabellenkalkulation kopiert.</translation>
    </message>
    <message>
        <source>Km and Vmax fitted to the accepted readings against [S]0, by four methods, with the readings they use</source>
        <translation>Km und Vmax, an die übernommenen Messwerte gegen [S]0 angepasst, nach vier Verfahren, mit den verwendeten Messwerten</translation>
    </message>
    <message>
        <source>How many readings the fits use, and how they are grouped</source>
        <translation>Wie viele Messwerte die Anpassungen verwenden und wie sie gruppiert sind</translation>
    </message>
    <message>
        <source>Group plotted</source>
        <translation>Gezeichnete Gruppe</translation>
    </message>
    <message>
        <source>&amp;Plot group:</source>
        <translation>&amp;Gruppe zeichnen:</translation>
    </message>
    <message>
        <source>Lineweaver-Burk</source>
        <translation>Lineweaver-Burk</translation>
    </message>
    <message>
        <source>Hanes-Woolf</source>
        <translation>Hanes-Woolf</translation>
    </message>
    <message>
        <source>Eadie-Hofstee</source>
        <translation>Eadie-Hofstee</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>true</source>
        <translation>wahr</translation>
    </message>
    <message>
        <source>fitted</source>
        <translation>angepasst</translation>
    </message>
    <message>
        <source>v (µM/s)</source>
        <translation>v (µM/s)</translation>
    </message>
    <message>
        <source>1/v (s/µM)</source>
        <translation>1/v (s/µM)</translation>
    </message>
    <message>
        <source>Adds simulated Gaussian error of this size to each velocity before the fits: the readings themselves stay as they are</source>
        <translation>Fügt jeder Geschwindigkeit vor den Anpassungen einen simulierten normalverteilten Fehler dieser Größe hinzu: die Messwerte selbst bleiben, wie sie sind</translation>
    </message>
    <message>
        <source>Simulated &amp;measurement error (%):</source>
        <translation>Simulierter &amp;Messfehler (%):</translation>
    </message>
    <message>
        <source>&amp;New Sample</source>
        <translation>&amp;Neue Stichprobe</translation>
    </message>
    <message>
        <source>Draw another sample of the simulated error, with a new seed</source>
        <translation>Eine neue Stichprobe des simulierten Fehlers ziehen, mit neuem Startwert</translation>
    </message>
    <message>
        <source>&amp;Copy Results</source>
        <translation>Ergebnisse &amp;kopieren</translation>
    </message>
    <message>
        <source>Copy the readings used and every method&apos;s results, tab-separated, for a spreadsheet</source>
        <translation>Die verwendeten Messwerte und die Ergebnisse aller Verfahren tabulatorgetrennt für eine Tabellenkalkulation kopieren</translation>
    </message>
    <message>
        <source>&amp;Save Plot...</source>
        <translation>Diagramm &amp;speichern...</translation>
    </message>
    <message>
        <source>Save the plot of the current tab as a PNG or SVG image</source>
        <translation>Das Diagramm der aktuellen Registerkarte als PNG- oder SVG-Bild speichern</translation>
    </message>
    <message>
        <source>Save Plot</source>
        <translation>Diagramm speichern</translation>
    </message>
    <message>
        <source>PNG image (*.png);;SVG image (*.svg)</source>
        <translation>PNG-Bild (*.png);;SVG-Bild (*.svg)</translation>
    </message>
    <message>
        <source>Saved the plot.</source>
        <translation>Das Diagramm wurde gespeichert.</translation>
    </message>
    <message>
        <source>Could not save the plot.</source>
        <translation>Das Diagramm konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>[S]0 or velocity not positive</source>
        <translation>[S]0 oder Geschwindigkeit nicht positiv</translation>
    </message>
    <message>
        <source>before the steady state</source>
        <translation>vor dem stationären Zustand</translation>
    </message>
    <message>
        <source>over 10% of the substrate used</source>
        <translation>über 10 % des Substrats verbraucht</translation>
    </message>
    <message>
        <source>velocity has fewer than 3 digits</source>
        <translation>Geschwindigkeit hat weniger als 3 Stellen</translation>
    </message>
    <message>
        <source>equal weights, for constant error</source>
        <translation>gleiche Gewichte, für konstanten Fehler</translation>
    </message>
    <message>
        <source>weights 1/v² of the fitted curve, for proportional error</source>
        <translation>Gewichte 1/v² der angepassten Kurve, für proportionalen Fehler</translation>
    </message>
    <message>
        <source>[ES] still over 1% from its steady level</source>
        <translation>[ES] noch über 1 % von seinem stationären Wert entfernt</translation>
    </message>
    <message>
        <source>too much enzyme: [E]0 over 1% of [S]0 + Km</source>
        <translation>zu viel Enzym: [E]0 über 1 % von [S]0 + Km</translation>
    </message>
    <message>
        <source> Readings marked &quot;too much enzyme&quot; come from runs whose [E]0 is more than 1% of [S]0 + Km: the enzyme holds a noticeable part of the substrate as ES, so the free [S] falls below [S]0, and v against [S]0 no longer follows the Michaelis-Menten equation.</source>
        <translation> Die mit „zu viel Enzym“ markierten Messwerte stammen aus Läufen, deren [E]0 mehr als 1 % von [S]0 + Km beträgt: Das Enzym bindet einen merklichen Teil des Substrats als ES, das freie [S] liegt daher unter [S]0, und v gegen [S]0 folgt nicht mehr der Michaelis-Menten-Gleichung.</translation>
    </message>
    <message>
        <source> The velocities carry a SIMULATED measurement error of constant size, %1% of the true Vmax (seed %2).</source>
        <translation> Die Geschwindigkeiten tragen einen SIMULIERTEN Messfehler konstanter Größe, %1 % des wahren Vmax (Startwert %2).</translation>
    </message>
    <message>
        <source> The velocities carry a SIMULATED measurement error in proportion to each velocity, %1% of v (seed %2).</source>
        <translation> Die Geschwindigkeiten tragen einen SIMULIERTEN Messfehler proportional zu jeder Geschwindigkeit, %1 % von v (Startwert %2).</translation>
    </message>
    <message>
        <source>, ± the line&apos;s standard error (slope %1, intercept %2, r² = %3).</source>
        <translation>, ± der Standardfehler der Geraden (Steigung %1, Achsenabschnitt %2, r² = %3).</translation>
    </message>
    <message>
        <source>%1, %2: 95% intervals; off the true value by</source>
        <translation>%1, %2: 95-%-Intervalle; Abweichung vom wahren Wert</translation>
    </message>
    <message>
        <source>%1: ± its standard error, not a 95% interval; off the true value by</source>
        <translation>%1: ± ihr Standardfehler, kein 95-%-Intervall; Abweichung vom wahren Wert</translation>
    </message>
    <message>
        <source>&lt;small&gt;Km in M, Vmax in M/s, kcat in /s, kcat/Km in /M/s. Only the direct fit, weighted for the error model in use, gives 95% intervals: they hold the true value in 95 of 100 samples of the simulated error. A line&apos;s ± is its standard error, not a 95% interval: taking 1/v, [S]0/v or v/[S]0 stretches the errors of some readings and shrinks others, so the spread of the line does not tell how far off the true value may be. No ± shows the error of readings a little short of the steady state, or cut by the readout: those are all off in one direction.&lt;/small&gt;</source>
        <translation>&lt;small&gt;Km in M, Vmax in M/s, kcat in /s, kcat/Km in /M/s. Nur die direkte Anpassung, gewichtet für das gewählte Fehlermodell, gibt 95-%-Intervalle: Sie enthalten den wahren Wert in 95 von 100 Stichproben des simulierten Fehlers. Das ± einer Geraden ist ihr Standardfehler, kein 95-%-Intervall: 1/v, [S]0/v oder v/[S]0 dehnen die Fehler mancher Messwerte und stauchen andere, daher sagt die Streuung der Geraden nicht, wie weit der wahre Wert entfernt sein kann. Kein ± zeigt den Fehler von Messwerten knapp vor dem stationären Zustand oder von der Anzeige abgeschnittener: Diese weichen alle in dieselbe Richtung ab.&lt;/small&gt;</translation>
    </message>
    <message>
        <source>constant: % of Vmax</source>
        <translation>konstant: % von Vmax</translation>
    </message>
    <message>
        <source>proportional: % of v</source>
        <translation>proportional: % von v</translation>
    </message>
    <message>
        <source>Constant: every velocity&apos;s error has the same size, a share of the true Vmax, and the direct fit weighs every reading the same. Proportional: the error is a share of each velocity, and the direct fit weighs each reading by 1/v².</source>
        <translation>Konstant: Der Fehler jeder Geschwindigkeit hat dieselbe Größe, einen Anteil am wahren Vmax, und die direkte Anpassung gewichtet alle Messwerte gleich. Proportional: Der Fehler ist ein Anteil jeder Geschwindigkeit, und die direkte Anpassung gewichtet jeden Messwert mit 1/v².</translation>
    </message>
    <message>
        <source>Error m&amp;odel:</source>
        <translation>Fehlerm&amp;odell:</translation>
    </message>
    <message>
        <source>direct fit</source>
        <translation>direkte Anpassung</translation>
    </message>
    <message>
        <source>v against [S]₀</source>
        <translation>v gegen [S]₀</translation>
    </message>
    <message>
        <source>Velocity against [S]&lt;sub&gt;0&lt;/sub&gt;</source>
        <translation>Geschwindigkeit gegen [S]&lt;sub&gt;0&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>[S]&lt;sub&gt;0&lt;/sub&gt; (µM)</source>
        <translation>[S]&lt;sub&gt;0&lt;/sub&gt; (µM)</translation>
    </message>
    <message>
        <source>1/v against 1/[S]&lt;sub&gt;0&lt;/sub&gt;</source>
        <translation>1/v gegen 1/[S]&lt;sub&gt;0&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>1/[S]&lt;sub&gt;0&lt;/sub&gt; (1/µM)</source>
        <translation>1/[S]&lt;sub&gt;0&lt;/sub&gt; (1/µM)</translation>
    </message>
    <message>
        <source>[S]&lt;sub&gt;0&lt;/sub&gt;/v against [S]&lt;sub&gt;0&lt;/sub&gt;</source>
        <translation>[S]&lt;sub&gt;0&lt;/sub&gt;/v gegen [S]&lt;sub&gt;0&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>[S]&lt;sub&gt;0&lt;/sub&gt;/v (s)</source>
        <translation>[S]&lt;sub&gt;0&lt;/sub&gt;/v (s)</translation>
    </message>
    <message>
        <source>v against v/[S]&lt;sub&gt;0&lt;/sub&gt;</source>
        <translation>v gegen v/[S]&lt;sub&gt;0&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>v/[S]&lt;sub&gt;0&lt;/sub&gt; (1/s)</source>
        <translation>v/[S]&lt;sub&gt;0&lt;/sub&gt; (1/s)</translation>
    </message>
    <message>
        <source>1 iteration</source>
        <translation>1 Iteration</translation>
    </message>
    <message>
        <source>%1 iterations</source>
        <translation>%1 Iterationen</translation>
    </message>
    <message>
        <source>, 95% intervals, %1; %2.</source>
        <translation>, 95-%-Intervalle, %1; %2.</translation>
    </message>
    <message>
        <source>[S]₀ (M)</source>
        <translation>[S]₀ (M)</translation>
    </message>
    <message>
        <source>constant: % of the true Vmax</source>
        <translation>konstant: % des wahren Vmax</translation>
    </message>
    <message>
        <source>95% confidence interval</source>
        <translation>95-%-Konfidenzintervall</translation>
    </message>
    <message>
        <source>± 1 standard error of the line, not a 95% interval: the transform distorts the errors</source>
        <translation>± 1 Standardfehler der Geraden, kein 95-%-Intervall: die Umformung verzerrt die Fehler</translation>
    </message>
    <message>
        <source>weights 1/v^2 of the fitted curve, for proportional error</source>
        <translation>Gewichte 1/v^2 der angepassten Kurve, für proportionalen Fehler</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>velocity (M/s)</source>
        <translation>Geschwindigkeit (M/s)</translation>
    </message>
    <message>
        <source>marks</source>
        <translation>Markierungen</translation>
    </message>
    <message>
        <source>group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>readings used</source>
        <translation>verwendete Messwerte</translation>
    </message>
    <message>
        <source>low</source>
        <translation>unten</translation>
    </message>
    <message>
        <source>high</source>
        <translation>oben</translation>
    </message>
    <message>
        <source>method</source>
        <translation>Verfahren</translation>
    </message>
    <message>
        <source>low and high</source>
        <translation>unten und oben</translation>
    </message>
    <message>
        <source>simulated measurement error (%)</source>
        <translation>simulierter Messfehler (%)</translation>
    </message>
    <message>
        <source>error model</source>
        <translation>Fehlermodell</translation>
    </message>
    <message>
        <source>seed</source>
        <translation>Startwert</translation>
    </message>
    <message>
        <source>Residuals of the fit, Δv in µM/s</source>
        <translation>Residuen der Anpassung, Δv in µM/s</translation>
    </message>
    <message>
        <source>Enzyme setting %1, [E]0 = %2 M</source>
        <translation>Enzymvariante %1, [E]0 = %2 M</translation>
    </message>
    <message>
        <source>setting %1</source>
        <translation>Variante %1</translation>
    </message>
    <message>
        <source>k2 = %1 /s</source>
        <translation>k2 = %1 /s</translation>
    </message>
    <message>
        <source>Group %1: %2, %3</source>
        <translation>Gruppe %1: %2, %3</translation>
    </message>
    <message>
        <source>%1, %2: 95% intervals</source>
        <translation>%1, %2: 95-%-Intervalle</translation>
    </message>
    <message>
        <source>%1: ± its standard error, not a 95% interval</source>
        <translation>%1: ± ihr Standardfehler, kein 95-%-Intervall</translation>
    </message>
    <message>
        <source>enzyme setting</source>
        <translation>Enzymvariante</translation>
    </message>
    <message>
        <source>Curves that rise to the same Vmax show competitive inhibition; an inhibitor that lowers Vmax binds the complex.</source>
        <translation>Kurven, die zum selben Vmax ansteigen, zeigen kompetitive Hemmung; ein Inhibitor, der Vmax senkt, bindet den Komplex.</translation>
    </message>
    <message>
        <source>Lines that meet on the 1/v axis show competitive inhibition, parallel lines uncompetitive, lines that meet left of the 1/v axis mixed.</source>
        <translation>Geraden, die sich auf der 1/v-Achse schneiden, zeigen kompetitive Hemmung, parallele Geraden unkompetitive, Geraden, die sich links der 1/v-Achse schneiden, gemischte.</translation>
    </message>
    <message>
        <source>Parallel lines show competitive inhibition, lines that meet on the [S]₀/v axis uncompetitive, lines that meet left of it mixed.</source>
        <translation>Parallele Geraden zeigen kompetitive Hemmung, Geraden, die sich auf der [S]₀/v-Achse schneiden, unkompetitive, Geraden, die sich links davon schneiden, gemischte.</translation>
    </message>
    <message>
        <source>Lines that meet on the v axis show competitive inhibition, lines that meet on the v/[S]₀ axis uncompetitive, lines that meet elsewhere mixed.</source>
        <translation>Geraden, die sich auf der v-Achse schneiden, zeigen kompetitive Hemmung, Geraden, die sich auf der v/[S]₀-Achse schneiden, unkompetitive, Geraden, die sich anderswo schneiden, gemischte.</translation>
    </message>
    <message>
        <source> Dashed: the true curve or line at each [I]₀.</source>
        <translation> Gestrichelt: die wahre Kurve oder Gerade bei jedem [I]₀.</translation>
    </message>
    <message>
        <source>fits, but too few readings for an AICc</source>
        <translation>passt, aber zu wenige Messwerte für ein AICc</translation>
    </message>
    <message>
        <source>too few readings</source>
        <translation>zu wenige Messwerte</translation>
    </message>
    <message>
        <source>gives a constant that is not positive</source>
        <translation>ergibt eine Konstante, die nicht positiv ist</translation>
    </message>
    <message>
        <source>Dixon plot: 1/v against [I]&lt;sub&gt;0&lt;/sub&gt;</source>
        <translation>Dixon-Diagramm: 1/v gegen [I]&lt;sub&gt;0&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>[I]&lt;sub&gt;0&lt;/sub&gt; (µM)</source>
        <translation>[I]&lt;sub&gt;0&lt;/sub&gt; (µM)</translation>
    </message>
    <message>
        <source>Cornish-Bowden plot: [S]&lt;sub&gt;0&lt;/sub&gt;/v against [I]&lt;sub&gt;0&lt;/sub&gt;</source>
        <translation>Cornish-Bowden-Diagramm: [S]&lt;sub&gt;0&lt;/sub&gt;/v gegen [I]&lt;sub&gt;0&lt;/sub&gt;</translation>
    </message>
    <message>
        <source>Dixon and Cornish-Bowden</source>
        <translation>Dixon und Cornish-Bowden</translation>
    </message>
    <message>
        <source>No inhibition law was chosen: the plots show the readings only.</source>
        <translation>Es wurde kein Hemmungsgesetz gewählt: Die Diagramme zeigen nur die Messwerte.</translation>
    </message>
    <message>
        <source>Lines of the %1, fitted to all readings at once, one per [S]₀. On the Dixon plot the lines of competitive and mixed inhibition meet at [I]₀ = −Ki, those of uncompetitive inhibition are parallel; on the Cornish-Bowden plot the lines of uncompetitive and mixed inhibition meet at [I]₀ = −αKi, those of competitive inhibition are parallel.</source>
        <translation>Geraden des gewählten Gesetzes (%1), an alle Messwerte zugleich angepasst, eine je [S]₀. Im Dixon-Diagramm schneiden sich die Geraden kompetitiver und gemischter Hemmung bei [I]₀ = −Ki, die unkompetitiver Hemmung sind parallel; im Cornish-Bowden-Diagramm schneiden sich die Geraden unkompetitiver und gemischter Hemmung bei [I]₀ = −αKi, die kompetitiver Hemmung sind parallel.</translation>
    </message>
    <message>
        <source>The inhibition laws, each fitted to all readings at once</source>
        <translation>Die Hemmungsgesetze, jedes an alle Messwerte zugleich angepasst</translation>
    </message>
    <message>
        <source>Law</source>
        <translation>Gesetz</translation>
    </message>
    <message>
        <source>Akaike weight</source>
        <translation>Akaike-Gewicht</translation>
    </message>
    <message>
        <source>chosen</source>
        <translation>gewählt</translation>
    </message>
    <message>
        <source>The %1&apos;s constants, 95% intervals; true values</source>
        <translation>Konstanten (%1), 95-%-Intervalle; wahre Werte</translation>
    </message>
    <message>
        <source>The %1&apos;s constants, 95% intervals</source>
        <translation>Konstanten (%1), 95-%-Intervalle</translation>
    </message>
    <message>
        <source>none: does not bind E</source>
        <translation>keine: bindet E nicht</translation>
    </message>
    <message>
        <source>none: does not bind ES</source>
        <translation>keine: bindet ES nicht</translation>
    </message>
    <message>
        <source>not in this law</source>
        <translation>nicht in diesem Gesetz</translation>
    </message>
    <message>
        <source>At each [I]₀ on its own, the direct fit&apos;s apparent Km (M) and Vmax (M/s), 95% intervals</source>
        <translation>Bei jedem [I]₀ für sich: scheinbares Km (M) und Vmax (M/s) der direkten Anpassung, 95-%-Intervalle</translation>
    </message>
    <message>
        <source>no fit</source>
        <translation>keine Anpassung</translation>
    </message>
    <message>
        <source>&lt;small&gt;The law chosen is the simplest whose AICc is within 2 of the lowest: a law with more constants must fit clearly better to be preferred. The Akaike weight is each law&apos;s relative likelihood given the readings. The intervals of Ki and αKi are wider on their far side, as the readings fix 1/Ki better than Ki.&lt;/small&gt;</source>
        <translation>&lt;small&gt;Gewählt wird das einfachste Gesetz, dessen AICc höchstens 2 über dem niedrigsten liegt: Ein Gesetz mit mehr Konstanten muss deutlich besser passen, um vorgezogen zu werden. Das Akaike-Gewicht ist die relative Wahrscheinlichkeit jedes Gesetzes angesichts der Messwerte. Die Intervalle von Ki und αKi reichen nach oben weiter als nach unten, da die Messwerte 1/Ki genauer festlegen als Ki.&lt;/small&gt;</translation>
    </message>
    <message>
        <source>competitive law</source>
        <translation>kompetitives Gesetz</translation>
    </message>
    <message>
        <source>uncompetitive law</source>
        <translation>unkompetitives Gesetz</translation>
    </message>
    <message>
        <source>mixed law</source>
        <translation>gemischtes Gesetz</translation>
    </message>
    <message>
        <source>The readings show competitive inhibition: the inhibitor binds the free enzyme only.</source>
        <translation>Die Messwerte zeigen kompetitive Hemmung: Der Inhibitor bindet nur das freie Enzym.</translation>
    </message>
    <message>
        <source>The readings show uncompetitive inhibition: the inhibitor binds the enzyme-substrate complex only.</source>
        <translation>Die Messwerte zeigen unkompetitive Hemmung: Der Inhibitor bindet nur den Enzym-Substrat-Komplex.</translation>
    </message>
    <message>
        <source>The readings show mixed inhibition: the inhibitor binds the free enzyme and the complex, with different constants.</source>
        <translation>Die Messwerte zeigen gemischte Hemmung: Der Inhibitor bindet das freie Enzym und den Komplex, mit verschiedenen Konstanten.</translation>
    </message>
    <message>
        <source>The readings show noncompetitive inhibition: mixed inhibition with αKi = Ki, the inhibitor binding the free enzyme and the complex alike.</source>
        <translation>Die Messwerte zeigen nichtkompetitive Hemmung: gemischte Hemmung mit αKi = Ki, der Inhibitor bindet das freie Enzym und den Komplex gleich stark.</translation>
    </message>
    <message>
        <source>The type of inhibition cannot be determined yet: comparing the laws needs readings at two or more [S]0 and two or more [I]0, at least six for the competitive and uncompetitive laws and seven for the mixed law.</source>
        <translation>Die Art der Hemmung lässt sich noch nicht bestimmen: Der Vergleich der Gesetze braucht Messwerte bei zwei oder mehr [S]0 und zwei oder mehr [I]0, mindestens sechs für das kompetitive und das unkompetitive Gesetz und sieben für das gemischte.</translation>
    </message>
    <message>
        <source>The type of inhibition could not be determined: no inhibition law fits these readings with positive constants.</source>
        <translation>Die Art der Hemmung ließ sich nicht bestimmen: Kein Hemmungsgesetz passt mit positiven Konstanten zu diesen Messwerten.</translation>
    </message>
    <message>
        <source>inhibition law</source>
        <translation>Hemmungsgesetz</translation>
    </message>
    <message>
        <source>type of inhibition</source>
        <translation>Art der Hemmung</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>, [I]₀ = %1 M</source>
        <translation>, [I]₀ = %1 M</translation>
    </message>
    <message>
        <source>Each [I]₀ is fitted on its own; the results list their apparent Km and Vmax.</source>
        <translation>Jedes [I]₀ ist für sich angepasst; die Ergebnisse nennen sein scheinbares Km und Vmax.</translation>
    </message>
</context>
<context>
    <name>enkin::DataForm</name>
    <message>
        <source>Saved Data</source>
        <translation>Gespeicherte Daten</translation>
    </message>
    <message>
        <source>Select, Copy and Paste into Spreadsheet</source>
        <translation>Markieren, kopieren und in die Tabellenkalkulation einfügen</translation>
    </message>
    <message>
        <source>Columns: t, E, ES, S, Vel</source>
        <translation>Spalten: t, E, ES, S, Geschw.</translation>
    </message>
    <message>
        <source>Saved data</source>
        <translation>Gespeicherte Daten</translation>
    </message>
    <message>
        <source>The accepted readings, one per line: time in seconds, [E], [ES] and [S] in molar, velocity in molar per second</source>
        <translation>Die übernommenen Messwerte, einer pro Zeile: Zeit in Sekunden, [E], [ES] und [S] in molar, Geschwindigkeit in molar pro Sekunde</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Hide the Saved Data window</source>
        <translation>Das Fenster Gespeicherte Daten ausblenden</translation>
    </message>
    <message>
        <source>Copy for Spreadsheet</source>
        <translation>Für Tabellenkalkulation kopieren</translation>
    </message>
    <message>
        <source>Copy the readings to the clipboard as tab-separated columns with units</source>
        <translation>Die Messwerte als durch Tabulatoren getrennte Spalten mit Einheiten in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Copy status</source>
        <translation>Kopierstatus</translation>
    </message>
    <message>
        <source>Nothing to copy: no readings have been accepted yet.</source>
        <translation>Nichts zu kopieren: es wurden noch keine Messwerte übernommen.</translation>
    </message>
    <message>
        <source>Copied 1 reading for a spreadsheet.</source>
        <translation>1 Messwert für die Tabellenkalkulation kopiert.</translation>
    </message>
    <message>
        <source>Copied %1 readings for a spreadsheet.</source>
        <translation>%1 Messwerte für die Tabellenkalkulation kopiert.</translation>
    </message>
    <message>
        <source>t (s)</source>
        <translation>t (s)</translation>
    </message>
    <message>
        <source>[E] (M)</source>
        <translation>[E] (M)</translation>
    </message>
    <message>
        <source>[ES] (M)</source>
        <translation>[ES] (M)</translation>
    </message>
    <message>
        <source>[S] (M)</source>
        <translation>[S] (M)</translation>
    </message>
    <message>
        <source>[S]0 (M)</source>
        <translation>[S]0 (M)</translation>
    </message>
    <message>
        <source>velocity (M/s)</source>
        <translation>Geschwindigkeit (M/s)</translation>
    </message>
</context>
<context>
    <name>enkin::EnkinForm</name>
    <message>
        <source>Michaelis-Menten - Enzyme Kinetics</source>
        <translation>Michaelis-Menten - Enzymkinetik</translation>
    </message>
    <message>
        <source>Time Along Scrollbar </source>
        <translation>Zeit entlang des Reglers </translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Time Value</source>
        <translation>Zeitwert</translation>
    </message>
    <message>
        <source>msec</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Maximum Time</source>
        <translation>Maximalzeit</translation>
    </message>
    <message>
        <source> msec</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Color Key</source>
        <translation>Farblegende</translation>
    </message>
    <message>
        <source>Enzyme</source>
        <translation>Enzym</translation>
    </message>
    <message>
        <source>Enzyme-Substrate</source>
        <translation>Enzym-Substrat</translation>
    </message>
    <message>
        <source>Product</source>
        <translation>Produkt</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Plot of [E], [ES] and [P] against time</source>
        <translation>Diagramm von [E], [ES] und [P] gegen die Zeit</translation>
    </message>
    <message>
        <source>[E] is drawn in black, [ES] in blue and [P] in red. Right-click to copy the plot image.</source>
        <translation>[E] ist schwarz, [ES] blau und [P] rot gezeichnet. Rechtsklick kopiert das Bild des Diagramms.</translation>
    </message>
    <message>
        <source>Vertical scale, 10^-9 M</source>
        <translation>Senkrechte Skala, 10^-9 M</translation>
    </message>
    <message>
        <source>Top of the plot&apos;s vertical axis, in 10^-9 M</source>
        <translation>Oberes Ende der senkrechten Achse, in 10^-9 M</translation>
    </message>
    <message>
        <source>Vertical axis origin</source>
        <translation>Ursprung der senkrechten Achse</translation>
    </message>
    <message>
        <source>The bottom of the vertical axis is 0</source>
        <translation>Das untere Ende der senkrechten Achse ist 0</translation>
    </message>
    <message>
        <source>Time Along Scrollbar</source>
        <translation>Zeit entlang des Reglers</translation>
    </message>
    <message>
        <source>Picks a time of the run: the plot is redrawn and the Results show the values at that time</source>
        <translation>Wählt einen Zeitpunkt des Laufs: das Diagramm wird neu gezeichnet, und die Ergebnisse zeigen die Werte zu diesem Zeitpunkt</translation>
    </message>
    <message>
        <source>Click to select k2</source>
        <translation>Klicken, um k2 zu wählen</translation>
    </message>
    <message>
        <source>Click to select Substrate Concentration</source>
        <translation>Klicken, um die Substratkonzentration zu wählen</translation>
    </message>
    <message>
        <source>k2, 10^3 sec^-1</source>
        <translation>k2, 10^3 s^-1</translation>
    </message>
    <message>
        <source>[S]0, M</source>
        <translation>[S]0, M</translation>
    </message>
    <message>
        <source>Michaelis Menten Constant</source>
        <translation>Michaelis-Menten-Konstante</translation>
    </message>
    <message>
        <source>Km, 10^-5 M</source>
        <translation>Km, 10^-5 M</translation>
    </message>
    <message>
        <source>Accept Data</source>
        <translation>Daten übernehmen</translation>
    </message>
    <message>
        <source>Click here to save data for later analysis</source>
        <translation>Hier klicken, um die Daten für die spätere Auswertung zu speichern</translation>
    </message>
    <message>
        <source>Time at scrollbar position</source>
        <translation>Zeit an der Reglerposition</translation>
    </message>
    <message>
        <source>Time Value, msec</source>
        <translation>Zeitwert, ms</translation>
    </message>
    <message>
        <source>Enter max time on plot</source>
        <translation>Maximalzeit des Diagramms eingeben</translation>
    </message>
    <message>
        <source>Maximum Time, msec</source>
        <translation>Maximalzeit, ms</translation>
    </message>
    <message>
        <source>[E], 10^-9 M</source>
        <translation>[E], 10^-9 M</translation>
    </message>
    <message>
        <source>Enzyme concentration at the time shown</source>
        <translation>Enzymkonzentration zum gezeigten Zeitpunkt</translation>
    </message>
    <message>
        <source>ES for above time</source>
        <translation>ES zur obigen Zeit</translation>
    </message>
    <message>
        <source>[ES], 10^-9 M</source>
        <translation>[ES], 10^-9 M</translation>
    </message>
    <message>
        <source>Velocity for above time</source>
        <translation>Geschwindigkeit zur obigen Zeit</translation>
    </message>
    <message>
        <source>d[P]/dt, 10^-6 M/sec</source>
        <translation>d[P]/dt, 10^-6 M/s</translation>
    </message>
    <message>
        <source>Substrate Concentration at above time</source>
        <translation>Substratkonzentration zur obigen Zeit</translation>
    </message>
    <message>
        <source>[S], 10^-3 M</source>
        <translation>[S], 10^-3 M</translation>
    </message>
    <message>
        <source>&amp;Initial Parameters</source>
        <translation>&amp;Anfangsparameter</translation>
    </message>
    <message>
        <source>&amp;Plot</source>
        <translation>&amp;Zeichnen</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>&amp;Data</source>
        <translation>&amp;Daten</translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation>&amp;Anzeigen</translation>
    </message>
    <message>
        <source>&amp;Accept Data</source>
        <translation>Daten ü&amp;bernehmen</translation>
    </message>
    <message>
        <source>&amp;Clear All</source>
        <translation>Alle &amp;löschen</translation>
    </message>
    <message>
        <source>A&amp;nalyse</source>
        <translation>A&amp;uswerten</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Tutorial</source>
        <translation>&amp;Anleitung</translation>
    </message>
    <message>
        <source>&amp;Guide to Enkin</source>
        <translation>&amp;Leitfaden zu Enkin</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>t = %1 msec: [E] %2, [ES] %3, [P] %4 (10^-9 M)</source>
        <translation>t = %1 ms: [E] %2, [ES] %3, [P] %4 (10^-9 M)</translation>
    </message>
    <message>
        <source>Readings saved.</source>
        <translation>Messwerte gespeichert.</translation>
    </message>
    <message>
        <source>Sa&amp;ve Readings...</source>
        <translation>Messwerte &amp;speichern...</translation>
    </message>
    <message>
        <source>&amp;Open Readings...</source>
        <translation>Messwerte ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>x 10   sec</source>
        <translation>x 10   s</translation>
    </message>
    <message>
        <source>3      -1</source>
        <translation>3   -1</translation>
    </message>
    <message>
        <source>x 10     M/sec</source>
        <translation>x 10     M/s</translation>
    </message>
    <message>
        <source>Export Report</source>
        <translation>Bericht exportieren</translation>
    </message>
    <message>
        <source>Your name, as the report shows it:</source>
        <translation>Ihr Name, wie ihn der Bericht zeigt:</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>Report written.</source>
        <translation>Bericht geschrieben.</translation>
    </message>
    <message>
        <source>The report could not be written.</source>
        <translation>Der Bericht konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>&amp;Export Report...</source>
        <translation>Bericht &amp;exportieren...</translation>
    </message>
    <message>
        <source>hidden</source>
        <translation>verborgen</translation>
    </message>
    <message>
        <source>Setting %1</source>
        <translation>Variante %1</translation>
    </message>
    <message>
        <source>%1 - Assignment %2</source>
        <translation>%1 - Aufgabe %2</translation>
    </message>
    <message>
        <source>Enzyme setting</source>
        <translation>Enzymvariante</translation>
    </message>
    <message>
        <source>Click to select the enzyme setting</source>
        <translation>Klicken, um die Enzymvariante zu wählen</translation>
    </message>
    <message>
        <source>t = %1 msec: [E] %2, [ES] %3, [P] %4, [EI]+[ESI] %5 (10^-9 M)</source>
        <translation>t = %1 ms: [E] %2, [ES] %3, [P] %4, [EI]+[ESI] %5 (10^-9 M)</translation>
    </message>
    <message>
        <source>Inhibited Enzyme</source>
        <translation>Gehemmtes Enzym</translation>
    </message>
    <message>
        <source>Inhibited enzyme [EI] + [ESI] at above time</source>
        <translation>Gehemmtes Enzym [EI] + [ESI] zur obigen Zeit</translation>
    </message>
    <message>
        <source>[EI] + [ESI], 10^-9 M</source>
        <translation>[EI] + [ESI], 10^-9 M</translation>
    </message>
</context>
<context>
    <name>enkin::HelpWindow</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Read-only document</source>
        <translation>Schreibgeschütztes Dokument</translation>
    </message>
    <message>
        <source>Hide this window, keeping its place</source>
        <translation>Dieses Fenster ausblenden; es behält seinen Platz</translation>
    </message>
    <message>
        <source>Enkin Instructions</source>
        <translation>Enkin-Anleitung</translation>
    </message>
    <message>
        <source>Michaelis Menten -  Guide</source>
        <translation>Michaelis-Menten - Leitfaden</translation>
    </message>
</context>
<context>
    <name>enkin::InhibitorSection</name>
    <message>
        <source>Initial Inhibitor Concentration: 0 for none</source>
        <translation>Anfangskonzentration des Inhibitors: 0 für keinen</translation>
    </message>
    <message>
        <source>Rate Constant for reaction  E + I to EI</source>
        <translation>Geschwindigkeitskonstante der Reaktion E + I zu EI</translation>
    </message>
    <message>
        <source>Rate Constant for EI return to E + I</source>
        <translation>Geschwindigkeitskonstante für den Zerfall von EI zu E + I</translation>
    </message>
    <message>
        <source>Rate Constant for reaction  ES + I to ESI</source>
        <translation>Geschwindigkeitskonstante der Reaktion ES + I zu ESI</translation>
    </message>
    <message>
        <source>Rate Constant for ESI return to ES + I</source>
        <translation>Geschwindigkeitskonstante für den Zerfall von ESI zu ES + I</translation>
    </message>
    <message>
        <source>Competitive</source>
        <translation>Kompetitiv</translation>
    </message>
    <message>
        <source>Uncompetitive</source>
        <translation>Unkompetitiv</translation>
    </message>
    <message>
        <source>Mixed</source>
        <translation>Gemischt</translation>
    </message>
    <message>
        <source>Inhibitor</source>
        <translation>Inhibitor</translation>
    </message>
    <message>
        <source>Where the inhibitor binds: E (competitive), ES (uncompetitive) or both (mixed)</source>
        <translation>Wo der Inhibitor bindet: an E (kompetitiv), an ES (unkompetitiv) oder an beide (gemischt)</translation>
    </message>
    <message>
        <source>Inhibitor type</source>
        <translation>Art des Inhibitors</translation>
    </message>
    <message>
        <source>Click to select [I]0 as a multiple of the inhibition constant</source>
        <translation>Klicken, um [I]0 als Vielfaches der Hemmkonstante zu wählen</translation>
    </message>
    <message>
        <source>[I]0 as a multiple of the inhibition constant</source>
        <translation>[I]0 als Vielfaches der Hemmkonstante</translation>
    </message>
    <message>
        <source>Ki = ?
αKi = ?</source>
        <translation>Ki = ?
αKi = ?</translation>
    </message>
    <message>
        <source>Ki = %1
αKi = %2</source>
        <translation>Ki = %1
αKi = %2</translation>
    </message>
    <message>
        <source>αKi</source>
        <translation>αKi</translation>
    </message>
    <message>
        <source>Ki</source>
        <translation>Ki</translation>
    </message>
</context>
<context>
    <name>enkin::LogFiles</name>
    <message>
        <source>The file is empty or cannot be read.</source>
        <translation>Die Datei ist leer oder kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The file is far longer than a readings file can be.</source>
        <translation>Die Datei ist viel länger, als eine Messwertdatei sein kann.</translation>
    </message>
    <message>
        <source>The file is not text: it holds bytes that no readings file has.</source>
        <translation>Die Datei ist kein Text: Sie enthält Bytes, die in keiner Messwertdatei vorkommen.</translation>
    </message>
    <message>
        <source>This is not a readings file of Enkin: its first line is not the header Save Readings writes.</source>
        <translation>Dies ist keine Messwertdatei von Enkin: Ihre erste Zeile ist nicht die Kopfzeile, die „Messwerte speichern“ schreibt.</translation>
    </message>
    <message>
        <source>Line %1: a quoted text is never closed; the file may be cut short.</source>
        <translation>Zeile %1: Ein Text in Anführungszeichen wird nie geschlossen; die Datei ist vielleicht abgeschnitten.</translation>
    </message>
    <message>
        <source>Line %1: &quot;%2&quot; does not hold a number it can have.</source>
        <translation>Zeile %1: „%2“ enthält keine Zahl, die dort stehen kann.</translation>
    </message>
    <message>
        <source>Line %1: the file holds more than the %2 readings the table takes.</source>
        <translation>Zeile %1: Die Datei enthält mehr als die %2 Messwerte, die die Tabelle aufnimmt.</translation>
    </message>
    <message>
        <source>Save Readings</source>
        <translation>Messwerte speichern</translation>
    </message>
    <message>
        <source>Readings (%1)</source>
        <translation>Messwerte (%1)</translation>
    </message>
    <message>
        <source>The readings could not be written to %1.</source>
        <translation>Die Messwerte konnten nicht nach %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>Open Readings</source>
        <translation>Messwerte öffnen</translation>
    </message>
    <message>
        <source>%1 was not opened, and the readings are as they were.

%2</source>
        <translation>%1 wurde nicht geöffnet; die Messwerte sind unverändert.

%2</translation>
    </message>
    <message>
        <source>Unsaved Readings</source>
        <translation>Nicht gespeicherte Messwerte</translation>
    </message>
    <message>
        <source>The last session ended with 1 reading not saved. Restore it?</source>
        <translation>Die letzte Sitzung endete mit 1 nicht gespeicherten Messwert. Wiederherstellen?</translation>
    </message>
    <message>
        <source>The last session ended with %1 readings not saved. Restore them?</source>
        <translation>Die letzte Sitzung endete mit %1 nicht gespeicherten Messwerten. Wiederherstellen?</translation>
    </message>
    <message>
        <source>The table holds readings that are not saved. Save them before closing?</source>
        <translation>Die Tabelle enthält nicht gespeicherte Messwerte. Vor dem Schließen speichern?</translation>
    </message>
    <message>
        <source>These readings were taken in assignment %1; open them in its window (enkin %1.enkin).</source>
        <translation>Diese Messwerte stammen aus der Aufgabe %1; öffnen Sie sie in deren Fenster (enkin %1.enkin).</translation>
    </message>
    <message>
        <source>Line %1 does not have the header&apos;s %2 columns; the file may be cut short or changed.</source>
        <translation>Zeile %1 hat nicht die %2 Spalten der Kopfzeile; die Datei ist vielleicht abgeschnitten oder verändert.</translation>
    </message>
</context>
<context>
    <name>enkin::Parameters</name>
    <message>
        <source>Rate Constant for reaction  E + S to ES</source>
        <translation>Geschwindigkeitskonstante der Reaktion E + S zu ES</translation>
    </message>
    <message>
        <source>Rate Constant for breakdown of ES to E + P</source>
        <translation>Geschwindigkeitskonstante des Zerfalls von ES zu E + P</translation>
    </message>
    <message>
        <source>Rate Constant for ES return to E + S</source>
        <translation>Geschwindigkeitskonstante der Rückreaktion von ES zu E + S</translation>
    </message>
    <message>
        <source>Initial Enzyme Concentration</source>
        <translation>Anfangskonzentration des Enzyms</translation>
    </message>
    <message>
        <source>Initial Enzyme-Substrate Concentration: Should be 0.0</source>
        <translation>Anfangskonzentration des Enzym-Substrat-Komplexes: sollte 0.0 sein</translation>
    </message>
    <message>
        <source>Initial Substrate Concentration</source>
        <translation>Anfangskonzentration des Substrats</translation>
    </message>
    <message>
        <source>Initial Product Concentration - Should be 0.0</source>
        <translation>Anfangskonzentration des Produkts - sollte 0.0 sein</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Initial Values</source>
        <translation>Anfangswerte</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Click to accept changes</source>
        <translation>Klicken, um die Änderungen zu übernehmen</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Set back to original values</source>
        <translation>Auf die ursprünglichen Werte zurücksetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel any changes</source>
        <translation>Änderungen verwerfen</translation>
    </message>
    <message>
        <source>x 10^{8} M^{-1} sec^{-1}</source>
        <translation>x 10^{8} M^{-1} s^{-1}</translation>
    </message>
    <message>
        <source>10^8 M^-1 sec^-1</source>
        <translation>10^8 M^-1 s^-1</translation>
    </message>
    <message>
        <source>x 10^{3} sec^{-1}</source>
        <translation>x 10^{3} s^{-1}</translation>
    </message>
    <message>
        <source>10^3 sec^-1</source>
        <translation>10^3 s^-1</translation>
    </message>
    <message>
        <source>x 10^{-9} M</source>
        <translation>x 10^{-9} M</translation>
    </message>
    <message>
        <source>10^-9 M</source>
        <translation>10^-9 M</translation>
    </message>
    <message>
        <source>x 10^{-3} M</source>
        <translation>x 10^{-3} M</translation>
    </message>
    <message>
        <source>10^-3 M</source>
        <translation>10^-3 M</translation>
    </message>
    <message>
        <source>%1 (hidden in this assignment)</source>
        <translation>%1 (in dieser Aufgabe verborgen)</translation>
    </message>
    <message>
        <source>Show or hide the inhibitor</source>
        <translation>Inhibitor zeigen oder ausblenden</translation>
    </message>
    <message>
        <source>Inhibitor &lt;&lt;</source>
        <translation>Inhibitor &lt;&lt;</translation>
    </message>
    <message>
        <source>Inhibitor &gt;&gt;</source>
        <translation>Inhibitor &gt;&gt;</translation>
    </message>
</context>
<context>
    <name>enkin::PlotSurface</name>
    <message>
        <source>Copy Plot Image</source>
        <translation>Bild des Diagramms kopieren</translation>
    </message>
</context>
<context>
    <name>enkin::Report</name>
    <message>
        <source>Enkin report</source>
        <translation>Enkin-Bericht</translation>
    </message>
    <message>
        <source>Student: %1</source>
        <translation>Student/in: %1</translation>
    </message>
    <message>
        <source>Date: %1</source>
        <translation>Datum: %1</translation>
    </message>
    <message>
        <source>Program: enkin %1</source>
        <translation>Programm: enkin %1</translation>
    </message>
    <message>
        <source>The current run</source>
        <translation>Der aktuelle Lauf</translation>
    </message>
    <message>
        <source>Readings</source>
        <translation>Messwerte</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>t (msec)</source>
        <translation>t (ms)</translation>
    </message>
    <message>
        <source>[E] (10^-9 M)</source>
        <translation>[E] (10^-9 M)</translation>
    </message>
    <message>
        <source>[ES] (10^-9 M)</source>
        <translation>[ES] (10^-9 M)</translation>
    </message>
    <message>
        <source>[S] (10^-3 M)</source>
        <translation>[S] (10^-3 M)</translation>
    </message>
    <message>
        <source>d[P]/dt (10^-6 M/s)</source>
        <translation>d[P]/dt (10^-6 M/s)</translation>
    </message>
    <message>
        <source>[S]0 (10^-3 M)</source>
        <translation>[S]0 (10^-3 M)</translation>
    </message>
    <message>
        <source>Marks</source>
        <translation>Markierungen</translation>
    </message>
    <message>
        <source>Analysis</source>
        <translation>Auswertung</translation>
    </message>
    <message>
        <source>Assignment: %1</source>
        <translation>Aufgabe: %1</translation>
    </message>
    <message>
        <source>Enzyme setting %1</source>
        <translation>Enzymvariante %1</translation>
    </message>
    <message>
        <source>k1 = %1 x 10^8 /M/s, k2 = %2 x 10^3 /s, k-1 = %3 x 10^3 /s</source>
        <translation>k1 = %1 x 10^8 /M/s, k2 = %2 x 10^3 /s, k-1 = %3 x 10^3 /s</translation>
    </message>
    <message>
        <source>%1, [E]0 = %2 x 10^-9 M, [S]0 = %3 x 10^-3 M; time from 0 to %4 msec across, concentration from 0 to %5 x 10^-9 M up. [E] black, [ES] blue, [P] red.</source>
        <translation>%1, [E]0 = %2 x 10^-9 M, [S]0 = %3 x 10^-3 M; Zeit waagerecht von 0 bis %4 ms, Konzentration senkrecht von 0 bis %5 x 10^-9 M. [E] schwarz, [ES] blau, [P] rot.</translation>
    </message>
</context>
</TS>
