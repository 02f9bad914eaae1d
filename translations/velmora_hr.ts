<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hr_HR">
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
        <translation>%1: datoteka nema nijedan slog</translation>
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
        <translation>u retku nema &quot;;&quot;</translation>
    </message>
    <message>
        <source>no &quot;;&quot; after the first &quot;#&quot;</source>
        <translation>nema &quot;;&quot; iza prvog &quot;#&quot;</translation>
    </message>
    <message>
        <source>no &quot;,&quot; in the line</source>
        <translation>u retku nema &quot;,&quot;</translation>
    </message>
    <message>
        <source>no &quot;,&quot; after the first &quot;#&quot;</source>
        <translation>nema &quot;,&quot; iza prvog &quot;#&quot;</translation>
    </message>
    <message>
        <source>no &quot;,&quot; after the price</source>
        <translation>nema &quot;,&quot; iza cijene</translation>
    </message>
    <message>
        <source>no &quot;,&quot; after the length</source>
        <translation>nema &quot;,&quot; iza duljine</translation>
    </message>
    <message>
        <source>no &quot;Duljina =&quot; in the line</source>
        <translation>u retku nema &quot;Duljina =&quot;</translation>
    </message>
    <message>
        <source>no width between the &quot;=&quot; after the length and the next &quot;,&quot;</source>
        <translation>nema širine između &quot;=&quot; iza duljine i sljedećeg &quot;,&quot;</translation>
    </message>
    <message>
        <source>no &quot;Sirina =&quot; in the line</source>
        <translation>u retku nema &quot;Sirina =&quot;</translation>
    </message>
    <message>
        <source>no thickness between the &quot;=&quot; after the width and the next &quot;,&quot;</source>
        <translation>nema debljine između &quot;=&quot; iza širine i sljedećeg &quot;,&quot;</translation>
    </message>
    <message>
        <source>no &quot;$ObjectName&quot; in the line</source>
        <translation>u retku nema &quot;$ObjectName&quot;</translation>
    </message>
    <message>
        <source>no &quot;tOpis&quot; before &quot;$ObjectName&quot;</source>
        <translation>nema &quot;tOpis&quot; ispred &quot;$ObjectName&quot;</translation>
    </message>
    <message>
        <source>no &quot;,&quot; after the description</source>
        <translation>nema &quot;,&quot; iza opisa</translation>
    </message>
    <message>
        <source>the line begins with &quot;tOpis&quot;</source>
        <translation>redak počinje s &quot;tOpis&quot;</translation>
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
        <source>%1: is a link owned by another user in a folder that everyone may write to; it is not followed, so nothing was written</source>
        <translation>%1: poveznica je drugog korisnika u mapi u koju svatko smije pisati; ne slijedi se, pa ništa nije zapisano</translation>
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
        <source>%1: %2: %3; a save writes a whole new copy before it replaces the file, which needs at least %4, and %5 were free when the save began</source>
        <translation>%1: %2: %3; snimanje zapisuje cijelu novu kopiju prije nego što zamijeni datoteku, za što treba barem %4, a kad je snimanje počelo bilo je slobodno %5</translation>
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
        <source>%1 MiB</source>
        <translation>%1 MiB</translation>
    </message>
    <message>
        <source>%1: too large to load: the file is %2 MiB and loading it takes up to %3 MiB of memory, but the system has %4 available (MemAvailable) and the address-space limit (RLIMIT_AS) leaves %5; nothing was read</source>
        <translation>%1: prevelika je za učitavanje: datoteka ima %2 MiB, a njezino učitavanje zauzima do %3 MiB memorije, no sustavu je na raspolaganju %4 (MemAvailable), a ograničenje adresnog prostora (RLIMIT_AS) ostavlja %5; ništa nije pročitano</translation>
    </message>
    <message>
        <source>an unknown amount</source>
        <translation>nepoznata količina</translation>
    </message>
    <message>
        <source>any amount (none is set)</source>
        <translation>neograničeno (nije postavljeno)</translation>
    </message>
</context>
<context>
    <name>CatalogFolder</name>
    <message>
        <source>Open the folder with Trake.odl</source>
        <translation>Otvorite mapu s datotekom Trake.odl</translation>
    </message>
</context>
<context>
    <name>CodePageValidator</name>
    <message>
        <source>&quot;%1&quot; (%2) was not put in: the catalog&apos;s code page, Windows-1250, has no such character.</source>
        <translation>&quot;%1&quot; (%2) nije upisan: kodna stranica kataloga, Windows-1250, nema takav znak.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &quot;velmora --help&quot; for more information.</source>
        <translation>Za više podataka upišite &quot;velmora --help&quot;.</translation>
    </message>
    <message>
        <source>Edits the edge-banding strip catalog %1 in FOLDER, or in the current folder.
Changes are saved to %2 in the same folder.</source>
        <translation>Uređuje katalog rubnih traka %1 u mapi FOLDER ili u trenutnoj mapi.
Promjene se snimaju u %2 u istoj mapi.</translation>
    </message>
    <message>
        <source>Ask for the catalog&apos;s folder in a dialog, unless FOLDER is given.</source>
        <translation>Pita za mapu kataloga u dijalogu, osim ako je FOLDER zadan.</translation>
    </message>
    <message>
        <source>The folder holding %1, or the path of %1 itself.</source>
        <translation>Mapa u kojoj je %1 ili putanja same datoteke %1.</translation>
    </message>
    <message>
        <source>[FOLDER | FOLDER/%1]</source>
        <translation>[FOLDER | FOLDER/%1]</translation>
    </message>
    <message>
        <source>give only one folder or one %1.</source>
        <translation>zadajte samo jednu mapu ili jednu datoteku %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist.</source>
        <translation>&quot;%1&quot; ne postoji.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a catalog: Velmora opens only files named %2.</source>
        <translation>&quot;%1&quot; nije katalog: Velmora otvara samo datoteke imena %2.</translation>
    </message>
</context>
<context>
    <name>StartupMessage</name>
    <message>
        <source>The catalog in %1 holds no record:</source>
        <translation>Katalog u mapi %1 nema nijedan slog:</translation>
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
        <source>Trake.odl has LF line ends and not a single CR, so all of it was read as one long line and the records shown are not the ones the file means. Saving now would write them as shown. Convert its line ends to CR LF and reload it before you save.</source>
        <translation>Trake.odl ima završetke redaka LF i nijedan CR, pa je cijeli njezin sadržaj pročitan kao jedan dugi redak i prikazani slogovi nisu oni koje datoteka zapravo sadrži. Snimanje bi ih sada zapisalo onako kako su prikazani. Pretvorite završetke redaka u CR LF i ponovno učitajte datoteku prije snimanja.</translation>
    </message>
    <message>
        <source>No record was added: there was not enough memory. The records in memory are as they were.</source>
        <translation>Nijedan slog nije dodan: nije bilo dovoljno memorije. Slogovi u memoriji ostali su kakvi su bili.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>velmora: cannot enter the folder &quot;%1&quot;.
</source>
        <translation>velmora: ne može se ući u mapu &quot;%1&quot;.
</translation>
    </message>
</context>
</TS>
