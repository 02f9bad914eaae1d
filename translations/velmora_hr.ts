<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hr_HR">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Velmora</source>
        <translation>O programu Velmora</translation>
    </message>
    <message>
        <source>Edits the edge-banding strip catalog Trake.odl.</source>
        <translation>Uređuje katalog rubnih traka Trake.odl.</translation>
    </message>
    <message>
        <source>Keys in the window:</source>
        <translation>Tipke u prozoru:</translation>
    </message>
</context>
<context>
    <name>CatalogError</name>
    <message>
        <source>%1: %2: %3</source>
        <translation>%1: %2: %3</translation>
    </message>
    <message>
        <source>%1: there was not enough memory to read it</source>
        <translation>%1: nema dovoljno memorije da se pročita</translation>
    </message>
    <message>
        <source>cannot read</source>
        <translation>ne može se pročitati</translation>
    </message>
    <message>
        <source>%1: the file holds no record</source>
        <translation>%1: datoteka nema nijednog sloga</translation>
    </message>
    <message>
        <source>more records than the editor can hold</source>
        <translation>više slogova nego što ih program može primiti</translation>
    </message>
    <message>
        <source>%1, line %2 (record %3, line %4): %5</source>
        <translation>%1, redak %2 (slog %3, redak %4): %5</translation>
    </message>
    <message>
        <source>no &quot;;&quot; in the line</source>
        <translation>u retku nema „;“</translation>
    </message>
    <message>
        <source>no &quot;;&quot; after the first &quot;#&quot;</source>
        <translation>nema „;“ iza prvog „#“</translation>
    </message>
    <message>
        <source>no &quot;,&quot; in the line</source>
        <translation>u retku nema „,“</translation>
    </message>
    <message>
        <source>no &quot;,&quot; after the first &quot;#&quot;</source>
        <translation>nema „,“ iza prvog „#“</translation>
    </message>
    <message>
        <source>no &quot;,&quot; after the price</source>
        <translation>nema „,“ iza cijene</translation>
    </message>
    <message>
        <source>no &quot;,&quot; after the length</source>
        <translation>nema „,“ iza duljine</translation>
    </message>
    <message>
        <source>no &quot;Duljina =&quot; in the line</source>
        <translation>u retku nema „Duljina =“</translation>
    </message>
    <message>
        <source>no width between the &quot;=&quot; after the length and the next &quot;,&quot;</source>
        <translation>nema širine između „=“ iza duljine i sljedećeg „,“</translation>
    </message>
    <message>
        <source>no &quot;Sirina =&quot; in the line</source>
        <translation>u retku nema „Sirina =“</translation>
    </message>
    <message>
        <source>no thickness between the &quot;=&quot; after the width and the next &quot;,&quot;</source>
        <translation>nema debljine između „=“ iza širine i sljedećeg „,“</translation>
    </message>
    <message>
        <source>no &quot;$ObjectName&quot; in the line</source>
        <translation>u retku nema „$ObjectName“</translation>
    </message>
    <message>
        <source>no &quot;tOpis&quot; before &quot;$ObjectName&quot;</source>
        <translation>nema „tOpis“ ispred „$ObjectName“</translation>
    </message>
    <message>
        <source>no &quot;,&quot; after the description</source>
        <translation>nema „,“ iza opisa</translation>
    </message>
    <message>
        <source>the line begins with &quot;tOpis&quot;</source>
        <translation>redak počinje s „tOpis“</translation>
    </message>
    <message>
        <source>it is a named pipe, not a file</source>
        <translation>to je imenovana cijev, a ne datoteka</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <translation>to je utičnica, a ne datoteka</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>to je uređaj, a ne datoteka</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>to nije obična datoteka</translation>
    </message>
    <message>
        <source>%1: cannot open: %2</source>
        <translation>%1: ne može se otvoriti: %2</translation>
    </message>
    <message>
        <source>%1: cannot read: %2</source>
        <translation>%1: ne može se pročitati: %2</translation>
    </message>
    <message>
        <source>cannot follow its links</source>
        <translation>ne mogu se slijediti njezine poveznice</translation>
    </message>
    <message>
        <source>cannot follow its link</source>
        <translation>ne može se slijediti njezina poveznica</translation>
    </message>
    <message>
        <source>cannot write</source>
        <translation>ne može se zapisati</translation>
    </message>
    <message>
        <source>cannot create a file in its folder</source>
        <translation>u njezinoj mapi ne može se stvoriti datoteka</translation>
    </message>
    <message>
        <source>cannot set the permissions of the new file</source>
        <translation>novoj datoteci ne mogu se postaviti dozvole</translation>
    </message>
    <message>
        <source>cannot replace the file</source>
        <translation>datoteka se ne može zamijeniti</translation>
    </message>
    <message>
        <source>cannot name the new file</source>
        <translation>novoj datoteci ne može se dati ime</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 B</translation>
    </message>
    <message>
        <source>%1: saved, but it may not yet be safe on disk: its folder cannot be synced: %2</source>
        <translation>%1: snimljena je, ali možda još nije sigurno na disku: njezina mapa ne može se sinkronizirati: %2</translation>
    </message>
    <message>
        <source>%1: %2: %3; its folder allows no new file, so it was being written in place and %4 is now incomplete; every record is still in the editor</source>
        <translation>%1: %2: %3; njezina mapa ne dopušta novu datoteku, pa se zapisivala na svojem mjestu i %4 je sada nepotpuna; svi su slogovi još u programu</translation>
    </message>
    <message>
        <source>the catalog already holds %1 records, the most it can hold</source>
        <translation>katalog već ima %1 slogova, najviše koliko može imati</translation>
    </message>
    <message>
        <source>the current folder cannot be examined: %1</source>
        <translation>trenutna mapa ne može se ispitati: %1</translation>
    </message>
    <message>
        <source>the current folder has been deleted</source>
        <translation>trenutna mapa je obrisana</translation>
    </message>
    <message>
        <source>%1: the working folder has been deleted and no folder stands at its path now</source>
        <translation>%1: radna mapa je obrisana i na njezinoj putanji sada nema nijedne mape</translation>
    </message>
    <message>
        <source>%1: the working folder has been replaced, and the new one cannot be entered: %2</source>
        <translation>%1: radna mapa je zamijenjena, a u novu se ne može ući: %2</translation>
    </message>
    <message>
        <source>%1.%2 MB</source>
        <translation>%1,%2 MB</translation>
    </message>
    <message>
        <source>%1: is a link owned by another user in a folder that others may write to; it is not followed, so nothing was written</source>
        <translation>%1: poveznica je drugog korisnika u mapi u koju smiju pisati i drugi; ne slijedi se, pa ništa nije zapisano</translation>
    </message>
    <message>
        <source>%1: leads to %2: %3; nothing was written</source>
        <translation>%1: vodi na %2: %3; ništa nije zapisano</translation>
    </message>
    <message>
        <source>%1: %2; nothing was written</source>
        <translation>%1: %2; ništa nije zapisano</translation>
    </message>
    <message>
        <source>%1: is the same file as %2, which is never written; nothing was written</source>
        <translation>%1: ista je datoteka kao %2, u koju se nikad ne piše; ništa nije zapisano</translation>
    </message>
    <message>
        <source>%1: is a link to %2, which cannot be created there: %3</source>
        <translation>%1: poveznica je na %2, koja se ondje ne može stvoriti: %3</translation>
    </message>
    <message>
        <source>%1: cannot write: %2; its folder allows no new file, so it was being written in place and %3 is now incomplete; every record is still in the editor</source>
        <translation>%1: ne može se pisati: %2; njezina mapa ne dopušta novu datoteku, pa se pisala na mjestu i %3 je sada nepotpuna; svi su slogovi još u uređivaču</translation>
    </message>
    <message>
        <source>%1: cannot write: %2; its folder allows no new file, so it would be written in place, which needs %3 more than it holds now, and %4 are free; nothing was written</source>
        <translation>%1: ne može se pisati: %2; njezina mapa ne dopušta novu datoteku, pa bi se pisala na mjestu, za što treba %3 više nego što sada zauzima, a slobodno je %4; ništa nije zapisano</translation>
    </message>
    <message>
        <source>%1 MiB</source>
        <translation>%1 MiB</translation>
    </message>
    <message>
        <source>an unknown amount</source>
        <translation>nepoznata količina</translation>
    </message>
    <message>
        <source>any amount (none is set)</source>
        <translation>neograničeno (nije postavljeno)</translation>
    </message>
    <message>
        <source>%1: cannot write: %2; a save writes a whole new copy before it replaces the file, which needs %3, and %4 were free; nothing was written</source>
        <translation>%1: ne može se pisati: %2; snimanje zapisuje cijelu novu kopiju prije nego što zamijeni datoteku, za što treba %3, a slobodno je bilo %4; ništa nije zapisano</translation>
    </message>
    <message>
        <source>%1: the file changed while it was being read, so it was not loaded; load it again once it is complete</source>
        <translation>%1: datoteka se promijenila dok se čitala, pa nije učitana; učitajte je ponovno kad bude potpuna</translation>
    </message>
    <message>
        <source>%1: %2: %3; nothing was written over it, so %4 was not changed</source>
        <translation>%1: %2: %3; ništa nije zapisano preko nje, pa %4 nije promijenjena</translation>
    </message>
    <message>
        <source>%1: too large to load: the file is %2 MiB and loading it takes up to %3 MiB of memory, but the system has %4 available (%6) and the address-space limit (%7) leaves %5; nothing was read</source>
        <translation>%1: prevelika je za učitavanje: datoteka ima %2 MiB, a njezino učitavanje zauzima do %3 MiB memorije, no sustavu je na raspolaganju %4 (%6), a ograničenje adresnog prostora (%7) ostavlja %5; ništa nije pročitano</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>to je mapa, a ne datoteka</translation>
    </message>
    <message>
        <source>%1: cannot write: it is read-only; nothing was written</source>
        <translation>%1: ne može se pisati: samo je za čitanje; ništa nije zapisano</translation>
    </message>
    <message>
        <source>%1: cannot replace the file: %2: another program has it open; close it there and save again; nothing was written over it</source>
        <translation>%1: datoteka se ne može zamijeniti: %2: drugi ju je program otvorio; zatvorite je ondje i spremite ponovno; ništa nije prepisano preko nje</translation>
    </message>
</context>
<context>
    <name>CatalogFolder</name>
    <message>
        <source>&quot;%1&quot; is not a catalog. Choose the file %2 in the catalog&apos;s folder.</source>
        <translation>„%1“ nije katalog. Odaberite datoteku %2 u mapi kataloga.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be entered: %2</source>
        <translation>U mapu „%1“ ne može se ući: %2</translation>
    </message>
    <message>
        <source>There is no %1 in the folder &quot;%2&quot;.</source>
        <translation>U mapi „%2“ nema datoteke %1.</translation>
    </message>
    <message>
        <source>Open the catalog %1</source>
        <translation>Otvorite katalog %1</translation>
    </message>
    <message>
        <source>Catalog (%1 %2)</source>
        <translation>Katalog (%1 %2)</translation>
    </message>
</context>
<context>
    <name>CodePageValidator</name>
    <message>
        <source>&quot;%1&quot; (%2) was not put in: the catalog&apos;s code page, Windows-1250, has no such character.</source>
        <translation>„%1“ (%2) nije upisan: kodna stranica kataloga, Windows-1250, nema takvog znaka.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &quot;velmora --help&quot; for more information.</source>
        <translation>Za više podataka upišite „velmora --help“.</translation>
    </message>
    <message>
        <source>give only one folder or one %1.</source>
        <translation>zadajte samo jednu mapu ili jednu datoteku %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist.</source>
        <translation>„%1“ ne postoji.</translation>
    </message>
    <message>
        <source>FOLDER</source>
        <translation>MAPA</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>Prikazuje ovu pomoć.</translation>
    </message>
    <message>
        <source>Shows the version number.</source>
        <translation>Prikazuje broj verzije.</translation>
    </message>
    <message>
        <source>Asks for the catalog&apos;s folder in a dialog, unless %1 is given.</source>
        <translation>Pita za mapu kataloga u dijalogu, osim ako je zadana %1.</translation>
    </message>
    <message>
        <source>The folder holding %1, or the path of %1 or %2 in it.</source>
        <translation>Mapa u kojoj je %1 ili putanja datoteke %1 ili %2 u njoj.</translation>
    </message>
    <message>
        <source>Usage: %1 [options] %2</source>
        <translation>Uporaba: %1 [opcije] %2</translation>
    </message>
    <message>
        <source>[%1 | %1/%2]</source>
        <translation>[%1 | %1/%2]</translation>
    </message>
    <message>
        <source>Edits the edge-banding strip catalog %1 in %3, or in the current folder. Changes are saved to %2 in the same folder.</source>
        <translation>Uređuje katalog rubnih traka %1 u mapi %3 ili u trenutnoj mapi. Promjene se snimaju u %2 u istoj mapi.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opcije:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumenti:</translation>
    </message>
    <message>
        <source>Keys in the window:</source>
        <translation>Tipke u prozoru:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a catalog: Velmora opens only files named %2 or %3.</source>
        <translation>„%1“ nije katalog: Velmora otvara samo datoteke imena %2 ili %3.</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Find a strip</source>
        <translation>Traži traku</translation>
    </message>
    <message>
        <source>Find a strip by name, description, unit or price</source>
        <translation>Traži traku po nazivu, opisu, jedinici mjere ili cijeni</translation>
    </message>
</context>
<context>
    <name>LongWorkProgress</name>
    <message>
        <source>Saving %1</source>
        <translation>Snimanje u %1</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>Učitavanje datoteke %1</translation>
    </message>
    <message>
        <source>Saving %1: every record written, making sure the disk holds them</source>
        <translation>Snimanje u %1: svi su slogovi zapisani, čeka se da ih disk spremi</translation>
    </message>
    <message numerus="yes">
        <source>Saving %1: %2 of %Ln records</source>
        <translation>
            <numerusform>Snimanje u %1: %2 od %Ln sloga</numerusform>
            <numerusform>Snimanje u %1: %2 od %Ln sloga</numerusform>
            <numerusform>Snimanje u %1: %2 od %Ln slogova</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Reading %1: %Ln records</source>
        <translation>
            <numerusform>Učitavanje datoteke %1: %Ln slog</numerusform>
            <numerusform>Učitavanje datoteke %1: %Ln sloga</numerusform>
            <numerusform>Učitavanje datoteke %1: %Ln slogova</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StartupMessage</name>
    <message>
        <source>The catalog in %1 holds no record:</source>
        <translation>Katalog u mapi %1 nema nijednog sloga:</translation>
    </message>
    <message>
        <source>The catalog in %1 has a line that cannot be cut:</source>
        <translation>Katalog u mapi %1 ima redak koji se ne može rastaviti:</translation>
    </message>
    <message>
        <source>Cannot open the catalog in %1:</source>
        <translation>Katalog u mapi %1 ne može se otvoriti:</translation>
    </message>
    <message>
        <source>Cannot read the catalog in %1:</source>
        <translation>Katalog u mapi %1 ne može se pročitati:</translation>
    </message>
</context>
<context>
    <name>TextBox</name>
    <message>
        <source>This value is %1 characters long, too long to edit here: the box shows its start, and it is saved as it is.</source>
        <translation>Ova vrijednost ima %1 znakova i preduga je da bi se ovdje uređivala: polje prikazuje njezin početak, a sprema se onakva kakva jest.</translation>
    </message>
    <message>
        <source>Only one line of the text was put in; lines with text left out: %1.</source>
        <translation>Upisan je samo jedan redak teksta; izostavljenih redaka s tekstom: %1.</translation>
    </message>
    <message>
        <source>Only the first cell of the row was put in; cells with text left out: %1.</source>
        <translation>Upisana je samo prva ćelija retka; izostavljenih ćelija s tekstom: %1.</translation>
    </message>
</context>
<context>
    <name>UpDown</name>
    <message>
        <source>Next number</source>
        <translation>Sljedeći broj</translation>
    </message>
    <message>
        <source>Previous number</source>
        <translation>Prethodni broj</translation>
    </message>
</context>
<context>
    <name>ValueValidator</name>
    <message>
        <source>Decimals are written with a period: the comma was put in as one.</source>
        <translation>Decimale se pišu točkom: zarez je upisan kao točka.</translation>
    </message>
</context>
<context>
    <name>WindowKeys</name>
    <message>
        <source>Saves the catalog to %1.</source>
        <translation>Snima katalog u %1.</translation>
    </message>
    <message>
        <source>Finds a strip by its name, description, unit or price: Enter or F3 finds the next one, Escape closes the find field.</source>
        <translation>Traži traku po nazivu, opisu, jedinici ili cijeni: Enter ili F3 traži sljedeću, Escape zatvara polje za traženje.</translation>
    </message>
    <message>
        <source>Up, Down</source>
        <translation>Gore, Dolje</translation>
    </message>
    <message>
        <source>Steps to the previous or next record; so does the mouse wheel turned over the record number or its arrows.</source>
        <translation>Prelazi na prethodni ili sljedeći slog; isto čini i kotačić miša okrenut iznad broja sloga ili njegovih strelica.</translation>
    </message>
    <message>
        <source>Closes a note or the find field; it never leaves the editor.</source>
        <translation>Zatvara napomenu ili polje za traženje; nikad ne zatvara uređivač.</translation>
    </message>
    <message>
        <source>Shows the version, the keys and the licence.</source>
        <translation>Prikazuje verziju, tipke i licenciju.</translation>
    </message>
    <message>
        <source>Leaves the editor, asking first when there are unsaved edits.</source>
        <translation>Zatvara uređivač, a prije toga pita ako ima nesnimljenih izmjena.</translation>
    </message>
</context>
<context>
    <name>frmVelmora</name>
    <message>
        <source>Name</source>
        <translation>Naziv</translation>
    </message>
    <message>
        <source>Unit of measure</source>
        <translation>Jedinica mjere</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Duljina</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Širina</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Debljina</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Cijena</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Opis</translation>
    </message>
    <message>
        <source>Record number</source>
        <translation>Broj sloga</translation>
    </message>
    <message>
        <source>The catalog was not reloaded; the records in memory are as they were.
</source>
        <translation>Katalog nije ponovno učitan; slogovi u memoriji ostali su kakvi su bili.
</translation>
    </message>
    <message>
        <source>The catalog was not saved; the records in memory are as they were.
</source>
        <translation>Katalog nije snimljen; slogovi u memoriji ostali su kakvi su bili.
</translation>
    </message>
    <message>
        <source>No record was added: </source>
        <translation>Nijedan slog nije dodan: </translation>
    </message>
    <message>
        <source>An unexpected error stopped the operation.</source>
        <translation>Neočekivana greška prekinula je radnju.</translation>
    </message>
    <message>
        <source>The catalog was saved, but a power cut or crash soon after could still bring back the earlier file.
</source>
        <translation>Katalog je snimljen, ali nestanak struje ili pad sustava uskoro nakon toga još bi mogao vratiti prijašnju datoteku.
</translation>
    </message>
    <message>
        <source>No record was added: there was not enough memory. The records in memory are as they were.</source>
        <translation>Nijedan slog nije dodan: nije bilo dovoljno memorije. Slogovi u memoriji ostali su kakvi su bili.</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>nepoznato</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Zamijeni</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Zapiši</translation>
    </message>
    <message>
        <source>This was not put in: the catalog file would not give the value back as typed.</source>
        <translation>Ovo nije upisano: datoteka kataloga ne bi vratila vrijednost kako je upisana.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not put in: in the catalog it ends the value or the line, so the file would not give the value back as typed.</source>
        <translation>„%1“ nije upisan: u katalogu on završava vrijednost ili redak, pa datoteka ne bi vratila vrijednost kako je upisana.</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Mapa</translation>
    </message>
    <message>
        <source>No record holds &quot;%1&quot;.</source>
        <translation>Nijedan slog ne sadrži „%1“.</translation>
    </message>
    <message>
        <source>Past the last record, the search went on from record 1.</source>
        <translation>Nakon posljednjeg sloga traženje se nastavlja od sloga 1.</translation>
    </message>
    <message>
        <source>There was not enough memory to finish this. Every record and edit is still in the editor, and no file was written.</source>
        <translation>Nije bilo dovoljno memorije da se ovo dovrši. Svi su slogovi i izmjene još u uređivaču i nijedna datoteka nije zapisana.</translation>
    </message>
    <message>
        <source>Records with unsaved changes: %1.</source>
        <translation>Slogova s nesnimljenim izmjenama: %1.</translation>
    </message>
    <message>
        <source>Previous or next record</source>
        <translation>Prethodni ili sljedeći slog</translation>
    </message>
    <message>
        <source>Records in total</source>
        <translation>Ukupno slogova</translation>
    </message>
    <message>
        <source>%1, saved on %2, is not a catalog: it does not read as whole records. Replace it with the records in the editor (%3)?</source>
        <translation>%1, snimljena %2, nije katalog: ne čita se kao cijeli slogovi. Zamijeniti je slogovima iz uređivača (%3)?</translation>
    </message>
    <message>
        <source>%1 was saved on %2 (records: %3), and this window did not write it or it has changed since. Replace it with the records in the editor (%4)?</source>
        <translation>%1 snimljena je %2 (slogova: %3), a ovaj je prozor nije zapisao ili se otada promijenila. Zamijeniti je slogovima iz uređivača (%4)?</translation>
    </message>
    <message>
        <source>The folder of %1 allows no new file, so the save can only write over the file itself. Should the computer crash or the editor be stopped while it writes, %1 is left incomplete. Write it in place?</source>
        <translation>Mapa datoteke %1 ne dopušta novu datoteku, pa snimanje može samo pisati preko same datoteke. Ako se računalo sruši ili se uređivač zaustavi dok piše, %1 ostaje nepotpuna. Zapisati je na mjestu?</translation>
    </message>
    <message numerus="yes">
        <source>Records changed and not yet saved: %n. Save them to %1 before leaving?</source>
        <translation>
            <numerusform>%n slog je promijenjen i još nije snimljen. Snimiti ga u %1 prije izlaska?</numerusform>
            <numerusform>%n sloga su promijenjena i još nisu snimljena. Snimiti ih u %1 prije izlaska?</numerusform>
            <numerusform>%n slogova je promijenjeno i još nije snimljeno. Snimiti ih u %1 prije izlaska?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Records changed and not yet saved: %n. Save them to %1 before %2 is read again?</source>
        <translation>
            <numerusform>%n slog je promijenjen i još nije snimljen. Snimiti ga u %1 prije ponovnog učitavanja datoteke %2?</numerusform>
            <numerusform>%n sloga su promijenjena i još nisu snimljena. Snimiti ih u %1 prije ponovnog učitavanja datoteke %2?</numerusform>
            <numerusform>%n slogova je promijenjeno i još nije snimljeno. Snimiti ih u %1 prije ponovnog učitavanja datoteke %2?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Records changed and not yet saved: %n (added: %1). Save them to %2 before leaving?</source>
        <translation>
            <numerusform>%n slog je promijenjen i još nije snimljen (dodanih: %1). Snimiti ga u %2 prije izlaska?</numerusform>
            <numerusform>%n sloga su promijenjena i još nisu snimljena (dodanih: %1). Snimiti ih u %2 prije izlaska?</numerusform>
            <numerusform>%n slogova je promijenjeno i još nije snimljeno (dodanih: %1). Snimiti ih u %2 prije izlaska?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Records changed and not yet saved: %n (added: %1). Save them to %2 before %3 is read again?</source>
        <translation>
            <numerusform>%n slog je promijenjen i još nije snimljen (dodanih: %1). Snimiti ga u %2 prije ponovnog učitavanja datoteke %3?</numerusform>
            <numerusform>%n sloga su promijenjena i još nisu snimljena (dodanih: %1). Snimiti ih u %2 prije ponovnog učitavanja datoteke %3?</numerusform>
            <numerusform>%n slogova je promijenjeno i još nije snimljeno (dodanih: %1). Snimiti ih u %2 prije ponovnog učitavanja datoteke %3?</numerusform>
        </translation>
    </message>
    <message>
        <source>Saved %1 at %2; records: %3.</source>
        <translation>Snimljeno u %1 u %2; slogova: %3.</translation>
    </message>
    <message>
        <source>Saved %1 on %2 at %3; records: %4.</source>
        <translation>Snimljeno u %1 %2 u %3; slogova: %4.</translation>
    </message>
    <message>
        <source>%1 has LF line ends and not a single CR, so all of it was read as one long line and the records shown are not the ones the file means. Saving now would write them as shown. Convert its line ends to CR LF and reload it before you save.</source>
        <translation>%1 ima završetke redaka LF i nijedan CR, pa je cijeli njezin sadržaj pročitan kao jedan dugi redak i prikazani slogovi nisu oni koje datoteka zapravo sadrži. Snimanje bi ih sada zapisalo onako kako su prikazani. Pretvorite završetke redaka u CR LF i ponovno učitajte datoteku prije snimanja.</translation>
    </message>
    <message>
        <source>%1 has lines that end in a CR without an LF. They are read as lines, but a save ends every line with CR LF, so %2 will differ from %1 at each of them.</source>
        <translation>%1 ima retke koji završavaju znakom CR bez LF. Čitaju se kao retci, ali snimanje svaki redak završava s CR LF, pa će se %2 na svakom od njih razlikovati od %1.</translation>
    </message>
    <message>
        <source>%1 ends before line %2 of record %3, so it may have been cut short. That line is shown empty, and a save writes it empty.</source>
        <translation>%1 završava prije retka %2 sloga %3, pa je možda skraćena. Taj je redak prikazan prazan, a snimanje ga zapisuje prazan.</translation>
    </message>
    <message>
        <source>%1 ends part-way through record %2, which lacks its lines %3 to %4, so it may have been cut short. Those lines are shown empty, and a save writes them empty.</source>
        <translation>%1 završava usred sloga %2, kojemu nedostaju retci od %3 do %4, pa je možda skraćena. Ti su retci prikazani prazni, a snimanje ih zapisuje prazne.</translation>
    </message>
    <message>
        <source>%1 reads as UTF-8 text, but the catalog is written in Windows-1250, so its letters are shown garbled. Its bytes are kept as they are, but what you type is saved in Windows-1250. Convert it to Windows-1250 and reload it before you edit.</source>
        <translation>%1 se čita kao UTF-8 tekst, a katalog se piše u kodnoj stranici Windows-1250, pa su njegova slova prikazana iskrivljeno. Njegovi bajtovi ostaju kakvi jesu, ali ono što upišete snima se u Windows-1250. Pretvorite ga u Windows-1250 i ponovno učitajte prije uređivanja.</translation>
    </message>
    <message>
        <source>This window shows %1. %2 was saved later, on %3: what was saved there is not shown here.</source>
        <translation>Ovaj prozor prikazuje %1. %2 snimljena je kasnije, %3: ono što je ondje snimljeno ovdje se ne prikazuje.</translation>
    </message>
    <message>
        <source>The catalog in &quot;%1&quot; was not opened; the records in memory are as they were, and a save still goes to &quot;%2&quot;.
</source>
        <translation>Katalog u „%1“ nije otvoren; slogovi u memoriji ostali su kakvi su bili, a snimanje i dalje ide u „%2“.
</translation>
    </message>
    <message>
        <source>Cannot enter the folder &quot;%1&quot;.</source>
        <translation>Ne može se ući u mapu „%1“.</translation>
    </message>
    <message numerus="yes">
        <source>Records changed and not yet saved: %n. Save them to %1 before the catalog in &quot;%2&quot; is opened?</source>
        <translation>
            <numerusform>%n slog je promijenjen i još nije snimljen. Snimiti ga u %1 prije otvaranja kataloga u „%2“?</numerusform>
            <numerusform>%n sloga su promijenjena i još nisu snimljena. Snimiti ih u %1 prije otvaranja kataloga u „%2“?</numerusform>
            <numerusform>%n slogova je promijenjeno i još nije snimljeno. Snimiti ih u %1 prije otvaranja kataloga u „%2“?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Records changed and not yet saved: %n (added: %1). Save them to %2 before the catalog in &quot;%3&quot; is opened?</source>
        <translation>
            <numerusform>%n slog je promijenjen i još nije snimljen (dodanih: %1). Snimiti ga u %2 prije otvaranja kataloga u „%3“?</numerusform>
            <numerusform>%n sloga su promijenjena i još nisu snimljena (dodanih: %1). Snimiti ih u %2 prije otvaranja kataloga u „%3“?</numerusform>
            <numerusform>%n slogova je promijenjeno i još nije snimljeno (dodanih: %1). Snimiti ih u %2 prije otvaranja kataloga u „%3“?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Cannot enter the folder &quot;%1&quot;.</source>
        <translation>Ne može se ući u mapu „%1“.</translation>
    </message>
</context>
</TS>
