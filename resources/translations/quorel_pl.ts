<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>quorel::AboutBox</name>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Version 2.0</source>
        <translation>Wersja 2.0</translation>
    </message>
    <message>
        <source>September 2003</source>
        <translation>Wrzesień 2003</translation>
    </message>
    <message>
        <source>English Version : July 2004</source>
        <translation>Wersja angielska : lipiec 2004</translation>
    </message>
    <message>
        <source>WWW :</source>
        <translation>WWW :</translation>
    </message>
    <message>
        <source>Author :</source>
        <translation>Autor :</translation>
    </message>
    <message>
        <source>click here</source>
        <translation>kliknij tutaj</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>quorel::CircularStatsPanel</name>
    <message>
        <source>Circular statistics</source>
        <translation>Statystyka kołowa</translation>
    </message>
    <message>
        <source>No measurements, no circular statistics.</source>
        <translation>Brak pomiarów, brak statystyki kołowej.</translation>
    </message>
    <message>
        <source>One orientation, the %1 axis: no test with one measurement.</source>
        <translation>Jedna orientacja, oś %1: przy jednym pomiarze nie ma testu.</translation>
    </message>
    <message>
        <source>One direction, %1: no test with one measurement.</source>
        <translation>Jeden kierunek, %1: przy jednym pomiarze nie ma testu.</translation>
    </message>
    <message>
        <source>The orientations cluster around the %1 axis (%2).</source>
        <translation>Orientacje skupiają się wokół osi %1 (%2).</translation>
    </message>
    <message>
        <source>The directions are significantly clustered around %1 (Rayleigh test, %2).</source>
        <translation>Kierunki są istotnie skupione wokół %1 (test Rayleigha, %2).</translation>
    </message>
    <message>
        <source>The orientations are not spread at random (%1).</source>
        <translation>Orientacje nie są rozłożone losowo (%1).</translation>
    </message>
    <message>
        <source>The directions are not spread at random (Rayleigh test, %1).</source>
        <translation>Kierunki nie są rozłożone losowo (test Rayleigha, %1).</translation>
    </message>
    <message>
        <source>No preferred orientation can be shown (Rayleigh %1).</source>
        <translation>Nie można wykazać przeważającej orientacji (Rayleigh %1).</translation>
    </message>
    <message>
        <source>No preferred direction can be shown (Rayleigh %1).</source>
        <translation>Nie można wykazać przeważającego kierunku (Rayleigh %1).</translation>
    </message>
    <message>
        <source>The Rayleigh test looks for one preferred direction: two opposite clusters cancel out, so treat orientations as axial data.</source>
        <translation>Test Rayleigha szuka jednego przeważającego kierunku: dwa przeciwległe skupienia znoszą się, dlatego orientacje traktuj jako dane osiowe.</translation>
    </message>
    <message>
        <source>The directions form two opposite groups: switch on Axial data.</source>
        <translation>Kierunki tworzą dwie przeciwległe grupy: włącz Dane osiowe.</translation>
    </message>
    <message>
        <source>The orientations form separate groups: their mean axis, %1, falls where few of them lie and describes none of them.</source>
        <translation>Orientacje tworzą odrębne grupy: ich oś średnia, %1, wypada tam, gdzie leży ich niewiele, i nie opisuje żadnej z grup.</translation>
    </message>
    <message>
        <source>The directions form separate groups: their mean direction, %1, falls where few of them lie and describes none of them.</source>
        <translation>Kierunki tworzą odrębne grupy: ich kierunek średni, %1, wypada tam, gdzie leży ich niewiele, i nie opisuje żadnej z grup.</translation>
    </message>
    <message>
        <source>Mean resultant length %1 of the doubled angles (1 = all orientations identical, 0 = no common orientation).</source>
        <translation>Średnia długość wypadkowej %1 dla podwojonych kątów (1 = wszystkie orientacje jednakowe, 0 = brak wspólnej orientacji).</translation>
    </message>
    <message>
        <source>Mean resultant length %1 (1 = all directions identical, 0 = no common direction).</source>
        <translation>Średnia długość wypadkowej %1 (1 = wszystkie kierunki jednakowe, 0 = brak wspólnego kierunku).</translation>
    </message>
    <message>
        <source>Circular variance %1 (0 = no spread, 1 = maximal spread).</source>
        <translation>Wariancja kołowa %1 (0 = brak rozrzutu, 1 = rozrzut największy).</translation>
    </message>
    <message>
        <source>Typical spread around the mean: %1 (circular SD; angular deviation %2).</source>
        <translation>Typowy rozrzut wokół średniej: %1 (kołowe odchylenie standardowe; odchylenie kątowe %2).</translation>
    </message>
    <message>
        <source>Typical spread around the mean: very large (R̄ &lt; %1); angular deviation %2.</source>
        <translation>Typowy rozrzut wokół średniej: bardzo duży (R̄ &lt; %1); odchylenie kątowe %2.</translation>
    </message>
    <message>
        <source>No mean orientation: the orientations cancel out (angular deviation %1).</source>
        <translation>Brak orientacji średniej: orientacje znoszą się (odchylenie kątowe %1).</translation>
    </message>
    <message>
        <source>No mean direction: the directions cancel out (angular deviation %1).</source>
        <translation>Brak kierunku średniego: kierunki znoszą się (odchylenie kątowe %1).</translation>
    </message>
    <message>
        <source>The true mean axis lies between %1 and %2 (95% confidence).</source>
        <translation>Prawdziwa oś średnia leży między %1 a %2 (ufność 95%).</translation>
    </message>
    <message>
        <source>The true mean direction lies between %1 and %2 (95% confidence).</source>
        <translation>Prawdziwy kierunek średni leży między %1 a %2 (ufność 95%).</translation>
    </message>
    <message>
        <source>Too scattered for a confidence interval of the mean.</source>
        <translation>Rozrzut zbyt duży na przedział ufności średniej.</translation>
    </message>
    <message>
        <source>Concentration κ = %1 (von Mises model): the larger κ, the tighter the cluster.</source>
        <translation>Koncentracja κ = %1 (model von Misesa): im większe κ, tym ciaśniejsze skupienie.</translation>
    </message>
    <message>
        <source>Concentration κ without bound (von Mises model): all orientations are identical.</source>
        <translation>Koncentracja κ bez ograniczenia (model von Misesa): wszystkie orientacje są jednakowe.</translation>
    </message>
    <message>
        <source>Concentration κ without bound (von Mises model): all directions are identical.</source>
        <translation>Koncentracja κ bez ograniczenia (model von Misesa): wszystkie kierunki są jednakowe.</translation>
    </message>
    <message>
        <source>Band of chance: %1 to %2 measurements per petal; with random orientations all 18 pairs of petals stay inside it at least 95 times in 100.</source>
        <translation>Pas losowości: od %1 do %2 pomiarów na płatek; przy losowych orientacjach wszystkie 18 par płatków mieści się w nim co najmniej 95 razy na 100.</translation>
    </message>
    <message>
        <source>Band of chance: %1 to %2 measurements per petal; with random directions all 36 petals stay inside it at least 95 times in 100.</source>
        <translation>Pas losowości: od %1 do %2 pomiarów na płatek; przy losowych kierunkach wszystkie 36 płatków mieści się w nim co najmniej 95 razy na 100.</translation>
    </message>
    <message>
        <source>The shaded ring is the band of chance: with random orientations all 18 pairs of petals stay inside it at least 95 times in 100.</source>
        <translation>Zacieniony pierścień to pas losowości: przy losowych orientacjach wszystkie 18 par płatków mieści się w nim co najmniej 95 razy na 100.</translation>
    </message>
    <message>
        <source>The shaded ring is the band of chance: with random directions all 36 petals stay inside it at least 95 times in 100.</source>
        <translation>Zacieniony pierścień to pas losowości: przy losowych kierunkach wszystkie 36 płatków mieści się w nim co najmniej 95 razy na 100.</translation>
    </message>
    <message>
        <source>The red line shows the mean axis.</source>
        <translation>Czerwona linia pokazuje oś średnią.</translation>
    </message>
    <message>
        <source>The red line shows the mean direction.</source>
        <translation>Czerwona linia pokazuje kierunek średni.</translation>
    </message>
    <message>
        <source>The red line shows the mean axis, the red arcs its 95% confidence interval.</source>
        <translation>Czerwona linia pokazuje oś średnią, czerwone łuki jej 95-procentowy przedział ufności.</translation>
    </message>
    <message>
        <source>The red line shows the mean direction, the red arc its 95% confidence interval.</source>
        <translation>Czerwona linia pokazuje kierunek średni, czerwony łuk jego 95-procentowy przedział ufności.</translation>
    </message>
    <message>
        <source>The grey dashed line shows the mean axis (not significant).</source>
        <translation>Szara przerywana linia pokazuje oś średnią (nieistotną statystycznie).</translation>
    </message>
    <message>
        <source>The grey dashed line shows the mean direction (not significant).</source>
        <translation>Szara przerywana linia pokazuje kierunek średni (nieistotny statystycznie).</translation>
    </message>
    <message>
        <source>The grey dashed line shows the mean axis, which falls between groups.</source>
        <translation>Szara przerywana linia pokazuje oś średnią, która wypada między grupami.</translation>
    </message>
    <message>
        <source>The grey dashed line shows the mean direction, which falls between groups.</source>
        <translation>Szara przerywana linia pokazuje kierunek średni, który wypada między grupami.</translation>
    </message>
</context>
<context>
    <name>quorel::ConverterWindow</name>
    <message>
        <source>Deg --&gt; Grad</source>
        <translation>Stopnie --&gt; Grady</translation>
    </message>
    <message>
        <source>Deg --&gt; Rad</source>
        <translation>Stopnie --&gt; Radiany</translation>
    </message>
    <message>
        <source>Grad --&gt; Deg</source>
        <translation>Grady --&gt; Stopnie</translation>
    </message>
    <message>
        <source>Grad --&gt; Rad</source>
        <translation>Grady --&gt; Radiany</translation>
    </message>
    <message>
        <source>Rad --&gt; Deg</source>
        <translation>Radiany --&gt; Stopnie</translation>
    </message>
    <message>
        <source>Rad --&gt; Grad</source>
        <translation>Radiany --&gt; Grady</translation>
    </message>
    <message>
        <source>Measurement Converter</source>
        <translation>Konwerter pomiarów</translation>
    </message>
    <message>
        <source> Measurements :</source>
        <translation> Pomiary :</translation>
    </message>
    <message>
        <source> Result :</source>
        <translation> Wynik :</translation>
    </message>
    <message>
        <source>Round values to</source>
        <translation>Zaokrąglij wartości do</translation>
    </message>
    <message>
        <source>decimal places</source>
        <translation>miejsc po przecinku</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <translation>&amp;Przelicz</translation>
    </message>
    <message>
        <source>&amp;Abort</source>
        <translation>Prz&amp;erwij</translation>
    </message>
</context>
<context>
    <name>quorel::DataTables</name>
    <message>
        <source>Measurements</source>
        <translation>Pomiary</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statystyka</translation>
    </message>
    <message>
        <source>All measurements :</source>
        <translation>Wszystkie pomiary :</translation>
    </message>
    <message>
        <source>Max :</source>
        <translation>Maks. :</translation>
    </message>
</context>
<context>
    <name>quorel::DescriptionBar</name>
    <message>
        <source>X :</source>
        <translation>X :</translation>
    </message>
    <message>
        <source>Y :</source>
        <translation>Y :</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Rozmiar czcionki</translation>
    </message>
    <message>
        <source>Font color...</source>
        <translation>Kolor czcionki...</translation>
    </message>
    <message>
        <source>Font :</source>
        <translation>Czcionka :</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Pogrubienie</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursywa</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Podkreślenie</translation>
    </message>
    <message>
        <source>Description :</source>
        <translation>Opis :</translation>
    </message>
</context>
<context>
    <name>quorel::DiagramCommands</name>
    <message>
        <source>&quot;%1&quot; is not a valid integer !</source>
        <translation>&quot;%1&quot; nie jest poprawną liczbą całkowitą!</translation>
    </message>
    <message>
        <source>Printing: %1</source>
        <translation>Drukowanie: %1</translation>
    </message>
    <message>
        <source>&amp;Save graph...</source>
        <translation>&amp;Zapisz diagram...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Zapisz</translation>
    </message>
    <message>
        <source>Save graph as... (Ctrl+S)</source>
        <translation>Zapisz diagram jako... (Ctrl+S)</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drukuj...</translation>
    </message>
    <message>
        <source>&amp;Copy graph to the Clipboard</source>
        <translation>&amp;Kopiuj diagram do schowka</translation>
    </message>
    <message>
        <source>&amp;Full screen</source>
        <translation>Pełny &amp;ekran</translation>
    </message>
    <message>
        <source>Graph size &amp;+ 20    (+)</source>
        <translation>Rozmiar diagramu &amp;+ 20    (+)</translation>
    </message>
    <message>
        <source>Graph size &amp;- 20     (-)</source>
        <translation>Rozmiar diagramu &amp;- 20     (-)</translation>
    </message>
</context>
<context>
    <name>quorel::DiagramExport</name>
    <message>
        <source>Windows Meta File (*.WMF)</source>
        <translation>Plik Windows Metafile (*.WMF)</translation>
    </message>
    <message>
        <source>Enhanced Meta File (*.EMF)</source>
        <translation>Plik Enhanced Metafile (*.EMF)</translation>
    </message>
    <message>
        <source>SVG image (*.SVG)</source>
        <translation>Obraz SVG (*.SVG)</translation>
    </message>
    <message>
        <source>PNG image (*.PNG)</source>
        <translation>Obraz PNG (*.PNG)</translation>
    </message>
    <message>
        <source>PDF document (*.PDF)</source>
        <translation>Dokument PDF (*.PDF)</translation>
    </message>
</context>
<context>
    <name>quorel::DiagramView</name>
    <message>
        <source>Azimuth %1°</source>
        <translation>Azymut %1°</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 i %2</translation>
    </message>
    <message>
        <source>1 measurement</source>
        <translation>1 pomiar</translation>
    </message>
    <message>
        <source>%1 measurements</source>
        <translation>pomiary: %1</translation>
    </message>
    <message>
        <source>%1: %2, %3 %</source>
        <translation>%1 — %2, %3 %</translation>
    </message>
</context>
<context>
    <name>quorel::Document</name>
    <message>
        <source>%1 is not a text file (NUL byte at offset %2): nothing written</source>
        <translation>%1 nie jest plikiem tekstowym (bajt NUL na pozycji %2): nic nie zapisano</translation>
    </message>
</context>
<context>
    <name>quorel::Error</name>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Nie można otworzyć pliku „%1”. %2</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. %2</source>
        <translation>Nie można odczytać pliku „%1”. %2</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Nie można utworzyć pliku „%1”. %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;. %2</source>
        <translation>Nie można zapisać pliku „%1”. %2</translation>
    </message>
    <message>
        <source>Cannot replace file &quot;%1&quot;. %2</source>
        <translation>Nie można zastąpić pliku „%1”. %2</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>To nie jest zwykły plik</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1” nie jest prawidłową liczbą całkowitą</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is too many: a random graph takes at most %2 measurements !</source>
        <translation>„%1” to za dużo: wykres losowy mieści najwyżej %2 pomiarów!</translation>
    </message>
    <message>
        <source>The report &quot;%1&quot; would replace its own picture. Choose a name ending in &quot;.html&quot;.</source>
        <translation>Raport „%1” zastąpiłby własny rysunek. Wybierz nazwę kończącą się na „.html”.</translation>
    </message>
    <message>
        <source>Not enough memory to read file &quot;%1&quot;.</source>
        <translation>Za mało pamięci, by wczytać plik „%1”.</translation>
    </message>
    <message>
        <source>Not enough memory to write file &quot;%1&quot;.</source>
        <translation>Za mało pamięci, by zapisać plik „%1”.</translation>
    </message>
    <message>
        <source>Cannot delete file &quot;%1&quot;. %2</source>
        <translation>Nie można usunąć pliku „%1”. %2</translation>
    </message>
</context>
<context>
    <name>quorel::ErrorReport</name>
    <message>
        <source>RANDOM GRAPH</source>
        <translation>WYKRES LOSOWY</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Plik: %1</translation>
    </message>
    <message>
        <source>Invalid data in line: %1</source>
        <translation>Nieprawidłowe dane w wierszu: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number !</source>
        <translation>„%1” nie jest liczbą!</translation>
    </message>
    <message>
        <source>Not a text file: NUL byte at offset %1</source>
        <translation>To nie jest plik tekstowy: bajt NUL na pozycji %1</translation>
    </message>
    <message>
        <source>The lines after it were not read !</source>
        <translation>Wiersze za nim nie zostały wczytane!</translation>
    </message>
    <message>
        <source>Operation cancelled by user !</source>
        <translation>Operacja przerwana przez użytkownika!</translation>
    </message>
    <message>
        <source>No errors.</source>
        <translation>Brak błędów.</translation>
    </message>
    <message>
        <source>Errors: %1</source>
        <translation>Błędy: %1</translation>
    </message>
    <message>
        <source>Correct data and try again.</source>
        <translation>Popraw dane i spróbuj ponownie.</translation>
    </message>
    <message>
        <source>WARNING! Processed lines: %1 from %2.</source>
        <translation>UWAGA! Przetworzono wierszy: %1 z %2.</translation>
    </message>
</context>
<context>
    <name>quorel::ErrorsWindow</name>
    <message>
        <source>Errors</source>
        <translation>Błędy</translation>
    </message>
</context>
<context>
    <name>quorel::FileCommands</name>
    <message>
        <source>Quorel&apos;s files (*.QRL)</source>
        <translation>Pliki programu Quorel (*.QRL)</translation>
    </message>
    <message>
        <source>Text files (*.TXT)</source>
        <translation>Pliki tekstowe (*.TXT)</translation>
    </message>
    <message>
        <source>DAT files (*.DAT)</source>
        <translation>Pliki DAT (*.DAT)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Wszystkie pliki (*.*)</translation>
    </message>
    <message>
        <source>Quorel&apos;s file (*.QRL)</source>
        <translation>Plik programu Quorel (*.QRL)</translation>
    </message>
    <message>
        <source>New data file</source>
        <translation>Nowy plik danych</translation>
    </message>
    <message>
        <source>No text editor was found to edit &quot;%1&quot;.
Set QUOREL_EDITOR to the command that starts your editor, for example QUOREL_EDITOR=&quot;gedit --wait&quot;.</source>
        <translation>Nie znaleziono edytora tekstu do edycji pliku &quot;%1&quot;.
Ustaw w zmiennej QUOREL_EDITOR polecenie, które uruchamia edytor, na przykład QUOREL_EDITOR=&quot;gedit --wait&quot;.</translation>
    </message>
    <message>
        <source>The text editor &quot;%1&quot; could not be started.
Set QUOREL_EDITOR to the command that starts your editor.</source>
        <translation>Nie można uruchomić edytora tekstu &quot;%1&quot;.
Ustaw w zmiennej QUOREL_EDITOR polecenie, które uruchamia edytor.</translation>
    </message>
    <message>
        <source>The text editor &quot;%1&quot; ended at once without editing &quot;%2&quot;.</source>
        <translation>Edytor tekstu &quot;%1&quot; zakończył działanie od razu, bez edycji pliku &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Edit data... (no text editor found: set QUOREL_EDITOR)</source>
        <translation>Edytuj dane... (nie znaleziono edytora tekstu: ustaw QUOREL_EDITOR)</translation>
    </message>
    <message>
        <source>Edit data in %1...</source>
        <translation>Edytuj dane w programie %1...</translation>
    </message>
    <message>
        <source>data</source>
        <comment>the name proposed for a new data file</comment>
        <translation>dane</translation>
    </message>
    <message>
        <source>The text editor &quot;%1&quot; needs a terminal to edit &quot;%2&quot;, and no terminal program (x-terminal-emulator) was found.
Install a terminal, or set QUOREL_EDITOR to the command that starts a graphical editor, for example QUOREL_EDITOR=&quot;gedit --wait&quot;.</source>
        <translation>Edytor tekstu &quot;%1&quot; potrzebuje terminala do edycji pliku &quot;%2&quot;, a nie znaleziono programu terminala (x-terminal-emulator).
Zainstaluj terminal albo ustaw w zmiennej QUOREL_EDITOR polecenie, które uruchamia edytor graficzny, na przykład QUOREL_EDITOR=&quot;gedit --wait&quot;.</translation>
    </message>
    <message>
        <source>Edit data... (%1 needs a terminal: none found)</source>
        <translation>Edytuj dane... (%1 potrzebuje terminala: nie znaleziono)</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Nowy...</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nowy</translation>
    </message>
    <message>
        <source>New data file...</source>
        <translation>Nowy plik danych...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Otwórz...</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Otwórz</translation>
    </message>
    <message>
        <source>Open data file... (Ctrl+O)</source>
        <translation>Otwórz plik danych... (Ctrl+O)</translation>
    </message>
    <message>
        <source>&amp;Edit data...</source>
        <translation>&amp;Edytuj dane...</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edytuj</translation>
    </message>
    <message>
        <source>Edit data...</source>
        <translation>Edytuj dane...</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>O&amp;dśwież</translation>
    </message>
    <message>
        <source>Refresh graph (F5)</source>
        <translation>Odśwież diagram (F5)</translation>
    </message>
</context>
<context>
    <name>quorel::HtmlReportCommand</name>
    <message>
        <source>en</source>
        <translation>pl</translation>
    </message>
    <message>
        <source>Graph</source>
        <translation>Wykres</translation>
    </message>
    <message>
        <source>Measurements</source>
        <translation>Pomiary</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statystyka</translation>
    </message>
    <message>
        <source>Circular statistics</source>
        <translation>Statystyka kierunkowa</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>Nr</translation>
    </message>
    <message>
        <source>Azimuth</source>
        <translation>Azymut</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Przedział</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Liczba</translation>
    </message>
    <message>
        <source>All measurements: </source>
        <translation>Wszystkie pomiary: </translation>
    </message>
    <message>
        <source>Max: </source>
        <translation>Maks.: </translation>
    </message>
    <message>
        <source>HTML document (*.HTML)</source>
        <translation>Dokument HTML (*.HTML)</translation>
    </message>
    <message>
        <source>Stereonet</source>
        <translation>Stereogram</translation>
    </message>
</context>
<context>
    <name>quorel::MainActions</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edycja</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Widok</translation>
    </message>
    <message>
        <source>S&amp;ize</source>
        <translation>&amp;Rozmiar</translation>
    </message>
    <message>
        <source>&amp;Adds</source>
        <translation>Dod&amp;atki</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Pomo&amp;c</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Główny</translation>
    </message>
</context>
<context>
    <name>quorel::MainWindow</name>
    <message>
        <source>Graph   (Ctrl+D)</source>
        <translation>Diagram   (Ctrl+D)</translation>
    </message>
    <message>
        <source>Statistics   (Ctrl+T)</source>
        <translation>Statystyka   (Ctrl+T)</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opcje</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Opis</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Za&amp;kończ</translation>
    </message>
    <message>
        <source>Show/Hide main &amp;toolbar</source>
        <translation>Pokaż/ukryj główny pasek &amp;narzędzi</translation>
    </message>
    <message>
        <source>Show/Hide t&amp;able</source>
        <translation>Pokaż/ukryj &amp;tabelę</translation>
    </message>
    <message>
        <source>Show/Hide &amp;options bar</source>
        <translation>Pokaż/ukryj pasek &amp;opcji</translation>
    </message>
    <message>
        <source>Show/Hide &amp;description bar</source>
        <translation>Pokaż/ukryj pasek o&amp;pisu</translation>
    </message>
    <message>
        <source>Show/Hide &amp;status bar</source>
        <translation>Pokaż/ukryj pasek &amp;stanu</translation>
    </message>
    <message>
        <source>Show &amp;errors...</source>
        <translation>Pokaż &amp;błędy...</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; does not exists !</source>
        <translation>Plik &quot;%1&quot; nie istnieje!</translation>
    </message>
    <message>
        <source>F&amp;it diagram to window</source>
        <translation>Dop&amp;asuj diagram do okna</translation>
    </message>
    <message>
        <source>Stereonet</source>
        <translation>Stereogram</translation>
    </message>
</context>
<context>
    <name>quorel::MeasurementModel</name>
    <message>
        <source>No.</source>
        <translation>Nr</translation>
    </message>
    <message>
        <source>Azimuth</source>
        <translation>Azymut</translation>
    </message>
</context>
<context>
    <name>quorel::OptionsBar</name>
    <message>
        <source>Graph size :</source>
        <translation>Rozmiar diagramu :</translation>
    </message>
    <message>
        <source>Graph size -20</source>
        <translation>Rozmiar diagramu -20</translation>
    </message>
    <message>
        <source>Graph size +20</source>
        <translation>Rozmiar diagramu +20</translation>
    </message>
    <message>
        <source>Change color...</source>
        <translation>Zmień kolor...</translation>
    </message>
    <message>
        <source>Color :</source>
        <translation>Kolor :</translation>
    </message>
    <message>
        <source>Style :</source>
        <translation>Styl :</translation>
    </message>
    <message>
        <source>Main lines :</source>
        <translation>Linie główne :</translation>
    </message>
    <message>
        <source>Secondary lines :</source>
        <translation>Linie pomocnicze :</translation>
    </message>
    <message>
        <source>Fill :</source>
        <translation>Wypełnienie :</translation>
    </message>
    <message>
        <source>Bg Color :</source>
        <translation>Kolor tła :</translation>
    </message>
    <message>
        <source>Font Color :</source>
        <translation>Kolor opisów osi :</translation>
    </message>
    <message>
        <source>Associate QRL</source>
        <translation>Skojarz pliki QRL</translation>
    </message>
    <message>
        <source>files with Quorel</source>
        <translation>z programem Quorel</translation>
    </message>
    <message>
        <source>Petal radius :</source>
        <translation>Promień wycinków :</translation>
    </message>
    <message>
        <source>Proportional to count</source>
        <translation>Proporcjonalny do liczby</translation>
    </message>
    <message>
        <source>Equal area</source>
        <translation>Równe pola</translation>
    </message>
    <message>
        <source>Ring labels</source>
        <translation>Opisy okręgów</translation>
    </message>
    <message>
        <source>Axial data (orientations)</source>
        <translation>Dane osiowe (orientacje)</translation>
    </message>
    <message>
        <source>Each measurement is an axis: it counts in its sector and in the opposite one. Kept in the data file.</source>
        <translation>Każdy pomiar jest osią: liczy się w swoim sektorze i w przeciwległym. Zapisywane w pliku danych.</translation>
    </message>
    <message>
        <source>How long petals get by chance, as a shaded ring</source>
        <translation>Jak długie bywają płatki przez przypadek, jako zacieniony pierścień</translation>
    </message>
    <message>
        <source>Mean direction</source>
        <translation>Kierunek średni</translation>
    </message>
    <message>
        <source>The mean direction and its 95% confidence arc</source>
        <translation>Kierunek średni i jego łuk 95% ufności</translation>
    </message>
    <message>
        <source>Band of chance</source>
        <translation>Pas losowości</translation>
    </message>
</context>
<context>
    <name>quorel::PreviewWindow</name>
    <message>
        <source>Preview</source>
        <translation>Podgląd</translation>
    </message>
    <message>
        <source>Size +20   (+)</source>
        <translation>Rozmiar +20   (+)</translation>
    </message>
    <message>
        <source>Size -20    (-)</source>
        <translation>Rozmiar -20    (-)</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Odśwież</translation>
    </message>
    <message>
        <source>Copy graph to the Clipboard</source>
        <translation>Kopiuj diagram do schowka</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Drukuj...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
</context>
<context>
    <name>quorel::ProgressWindow</name>
    <message>
        <source>&amp;Abort</source>
        <translation>Prz&amp;erwij</translation>
    </message>
    <message>
        <source>Progress...</source>
        <translation>Postęp...</translation>
    </message>
    <message>
        <source>Analyzing...</source>
        <translation>Analizowanie...</translation>
    </message>
    <message>
        <source>Line %1 / %2</source>
        <translation>Linia %1 / %2</translation>
    </message>
    <message>
        <source>Saving the last file...</source>
        <translation>Zapisywanie poprzedniego pliku...</translation>
    </message>
    <message>
        <source>Counting lines...</source>
        <translation>Liczenie linii...</translation>
    </message>
</context>
<context>
    <name>quorel::RandomGraphPrompt</name>
    <message>
        <source>Measurements :</source>
        <translation>Liczba pomiarów :</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid integer !</source>
        <translation>&quot;%1&quot; nie jest poprawną liczbą całkowitą!</translation>
    </message>
</context>
<context>
    <name>quorel::RecentFilesWidget</name>
    <message>
        <source>Remove last 10</source>
        <translation>Usuń ostatnie 10</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Wyczyść listę</translation>
    </message>
    <message>
        <source>Last opened</source>
        <translation>Ostatnio otwierane</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wyczyść</translation>
    </message>
</context>
<context>
    <name>quorel::StatsModel</name>
    <message>
        <source>Range</source>
        <translation>Zakres</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Liczba</translation>
    </message>
    <message>
        <source>    Azimuth</source>
        <translation>    Azymut</translation>
    </message>
</context>
<context>
    <name>quorel::StatusLine</name>
    <message>
        <source>Analyzing... Please wait...</source>
        <translation>Analizowanie... Proszę czekać...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Operation cancelled by user ! Press F12 !</source>
        <translation>Operacja przerwana przez użytkownika! Naciśnij F12!</translation>
    </message>
    <message>
        <source>Ready, but error occured ! Press F12 !</source>
        <translation>Gotowe, ale wystąpiły błędy! Naciśnij F12!</translation>
    </message>
</context>
<context>
    <name>quorel::StereonetDocument</name>
    <message>
        <source>Contours every %1σ (exponential Kamb, σ = %2), maximum %3σ</source>
        <translation>Izolinie co %1σ (wykładnicza metoda Kamba, σ = %2), maksimum %3σ</translation>
    </message>
    <message>
        <source>%1 of %2 poles drawn (one in %3)</source>
        <translation>Narysowano %1 z %2 biegunów (jeden na %3)</translation>
    </message>
    <message>
        <source>%1 of %2 lines drawn (one in %3)</source>
        <translation>Narysowano %1 z %2 linii (jedną na %3)</translation>
    </message>
    <message>
        <source>Mean %1, α95 = %2°</source>
        <translation>Średnia %1, α95 = %2°</translation>
    </message>
    <message>
        <source>Mean %1</source>
        <translation>Średnia %1</translation>
    </message>
    <message>
        <source>Girdle %1, β axis %2</source>
        <translation>Pas %1, oś β %2</translation>
    </message>
</context>
<context>
    <name>quorel::StereonetPage</name>
    <message>
        <source>&amp;Stereonet in the report</source>
        <translation>S&amp;tereogram w raporcie</translation>
    </message>
</context>
<context>
    <name>quorel::StereonetPanel</name>
    <message>
        <source>Contours</source>
        <translation>Izolinie</translation>
    </message>
    <message>
        <source>Mean and cone</source>
        <translation>Średnia i stożek ufności</translation>
    </message>
    <message>
        <source>Girdle and β axis</source>
        <translation>Pas i oś β</translation>
    </message>
    <message>
        <source>10° net</source>
        <translation>Siatka co 10°</translation>
    </message>
    <message>
        <source>Working out the stereonet…</source>
        <translation>Obliczanie stereogramu…</translation>
    </message>
    <message>
        <source>Dip direction (planes)</source>
        <translation>Kierunek upadu (płaszczyzny)</translation>
    </message>
    <message>
        <source>Strike, right-hand rule (planes)</source>
        <translation>Bieg, reguła prawej ręki (płaszczyzny)</translation>
    </message>
    <message>
        <source>Trend (lines)</source>
        <translation>Azymut zanurzenia (linie)</translation>
    </message>
    <message>
        <source>Schmidt (equal area)</source>
        <translation>Schmidta (równopolowa)</translation>
    </message>
    <message>
        <source>Wulff (equal angle)</source>
        <translation>Wulffa (równokątna)</translation>
    </message>
    <message>
        <source>Poles</source>
        <translation>Bieguny</translation>
    </message>
    <message>
        <source>Great circles</source>
        <translation>Koła wielkie</translation>
    </message>
    <message>
        <source>Azimuth means:</source>
        <translation>Azymut oznacza:</translation>
    </message>
    <message>
        <source>Net:</source>
        <translation>Siatka:</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Pokaż:</translation>
    </message>
    <message>
        <source>Stereonet figures</source>
        <translation>Statystyka sferyczna</translation>
    </message>
    <message>
        <source>The file could not be read: the net is empty.</source>
        <translation>Nie można odczytać pliku: siatka jest pusta.</translation>
    </message>
    <message>
        <source>The file&apos;s dips could not be read: %1</source>
        <translation>Nie można odczytać upadów z pliku: %1</translation>
    </message>
    <message>
        <source>equal-area (Schmidt) net</source>
        <translation>siatka równopolowa (Schmidta)</translation>
    </message>
    <message>
        <source>equal-angle (Wulff) net</source>
        <translation>siatka równokątna (Wulffa)</translation>
    </message>
    <message>
        <source>Poles of planes: %1, lower hemisphere, %2.</source>
        <translation>Bieguny płaszczyzn: %1, dolna półkula, %2.</translation>
    </message>
    <message>
        <source>Lines: %1, lower hemisphere, %2.</source>
        <translation>Linie: %1, dolna półkula, %2.</translation>
    </message>
    <message>
        <source>The file has changed since it was read: read it again to link the poles to the table.</source>
        <translation>Plik zmienił się od odczytu: odczytaj go ponownie, aby powiązać bieguny z tabelą.</translation>
    </message>
    <message>
        <source>No measurement has a valid dip: the net is empty.</source>
        <translation>Żaden pomiar nie ma poprawnego upadu: siatka jest pusta.</translation>
    </message>
    <message>
        <source>1 measurement has no valid dip: line %1</source>
        <translation>1 pomiar bez poprawnego upadu: wiersz %1</translation>
    </message>
    <message>
        <source>%1 measurements have no valid dip: lines %2</source>
        <translation>Pomiary bez poprawnego upadu: %1; wiersze %2</translation>
    </message>
    <message>
        <source>Mean pole %1 (trend/plunge), α95 = %2° (95% cone of confidence)</source>
        <translation>Średni biegun %1 (azymut/zanurzenie), α95 = %2° (95% stożek ufności)</translation>
    </message>
    <message>
        <source>Mean line %1 (trend/plunge), α95 = %2° (95% cone of confidence)</source>
        <translation>Średnia linia %1 (azymut/zanurzenie), α95 = %2° (95% stożek ufności)</translation>
    </message>
    <message>
        <source>Mean pole %1 (trend/plunge)</source>
        <translation>Średni biegun %1 (azymut/zanurzenie)</translation>
    </message>
    <message>
        <source>Mean line %1 (trend/plunge)</source>
        <translation>Średnia linia %1 (azymut/zanurzenie)</translation>
    </message>
    <message>
        <source>Too scattered for a cone of confidence.</source>
        <translation>Zbyt duży rozrzut, by wyznaczyć stożek ufności.</translation>
    </message>
    <message>
        <source>Concentration κ = %1 (Fisher): the larger κ, the tighter the cluster.</source>
        <translation>Koncentracja κ = %1 (Fisher): im większe κ, tym ciaśniejsze skupienie.</translation>
    </message>
    <message>
        <source>Shape K = %1: a girdle (K &lt; 1) — the poles spread along a great circle</source>
        <translation>Kształt K = %1: pas (K &lt; 1) — bieguny rozkładają się wzdłuż koła wielkiego</translation>
    </message>
    <message>
        <source>Shape K = %1: a girdle (K &lt; 1) — the lines spread along a great circle</source>
        <translation>Kształt K = %1: pas (K &lt; 1) — linie rozkładają się wzdłuż koła wielkiego</translation>
    </message>
    <message>
        <source>Shape K = %1: a cluster (K &gt; 1) — the poles gather about one direction</source>
        <translation>Kształt K = %1: skupienie (K &gt; 1) — bieguny gromadzą się wokół jednego kierunku</translation>
    </message>
    <message>
        <source>Shape K = %1: a cluster (K &gt; 1) — the lines gather about one direction</source>
        <translation>Kształt K = %1: skupienie (K &gt; 1) — linie gromadzą się wokół jednego kierunku</translation>
    </message>
    <message>
        <source>Shape K = %1: between a cluster and a girdle</source>
        <translation>Kształt K = %1: pośredni między skupieniem a pasem</translation>
    </message>
    <message>
        <source>Fisher statistics suit one cluster; for a girdle read the eigenvalues and the best-fit girdle.</source>
        <translation>Statystyka Fishera opisuje jedno skupienie; dla pasa czytaj wartości własne i najlepiej dopasowany pas.</translation>
    </message>
    <message>
        <source>Best-fit girdle %1, β axis %2 (fold axis for bedding poles).</source>
        <translation>Najlepiej dopasowany pas %1, oś β %2 (oś fałdu dla biegunów warstwowania).</translation>
    </message>
    <message>
        <source>Best-fit girdle %1, β axis %2.</source>
        <translation>Najlepiej dopasowany pas %1, oś β %2.</translation>
    </message>
</context>
<context>
    <name>quorel::StereonetView</name>
    <message>
        <source>line %1: %2, pole %3</source>
        <translation>wiersz %1: %2, biegun %3</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>wiersz %1: %2</translation>
    </message>
</context>
<context>
    <name>quorel::StyleBar</name>
    <message>
        <source>Default settings</source>
        <translation>Ustawienia domyślne</translation>
    </message>
</context>
<context>
    <name>quorel::ToolCommands</name>
    <message>
        <source>No web browser was found to show the help page.
Open it in a browser yourself:
%1</source>
        <translation>Nie znaleziono przeglądarki internetowej, która pokaże stronę pomocy.
Otwórz ją w przeglądarce samodzielnie:
%1</translation>
    </message>
    <message>
        <source>The help page could not be written into the cache folder &quot;%1&quot; nor into the temporary folder &quot;%2&quot;.</source>
        <translation>Nie można zapisać strony pomocy ani w katalogu podręcznym &quot;%1&quot;, ani w katalogu tymczasowym &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Save data and graph as &amp;HTML file...</source>
        <translation>Zapisz dane i diagram jako plik &amp;HTML...</translation>
    </message>
    <message>
        <source>&amp;Measurement Converter...</source>
        <translation>&amp;Konwerter pomiarów...</translation>
    </message>
    <message>
        <source>&amp;Random graph...</source>
        <translation>Diagram &amp;losowy...</translation>
    </message>
    <message>
        <source>&amp;Circular statistics in the report</source>
        <translation>&amp;Statystyka kołowa w raporcie</translation>
    </message>
    <message>
        <source>&amp;Help...</source>
        <translation>&amp;Pomoc...</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;O programie...</translation>
    </message>
</context>
<context>
    <name>quorel::TrayController</name>
    <message>
        <source>&amp;Show/Hide main window</source>
        <translation>&amp;Pokaż/ukryj okno główne</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Otwórz...</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
</context>
</TS>
