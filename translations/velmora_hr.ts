<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hr_HR">
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
