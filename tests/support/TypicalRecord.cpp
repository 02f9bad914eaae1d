#include "TypicalRecord.h"

#include <fstream>

namespace {

// Windows-1250 bytes, as the catalog holds them: 0x9A is "š", 0xE8 is "č".
const char *const kNames[] = {"ABS 22x2 bijela",      "ABS 23x1 antracit",
                              "PVC 22x2 siva \x9a" "ljunak", "Furnir 24 hrast",
                              "Melamin 19x0.4 javor", "ABS 22x2 tre\x9a" "nja"};
const char *const kUnits[] = {"m", "kom", "rola"};
const char *const kWidths[] = {"19", "22", "23", "33", "43", "54"};
const char *const kThicknesses[] = {"0.4", "0.45", "1", "2", "3"};

template <class T, std::size_t N>
const T &pick(const T (&values)[N], std::int64_t number)
{
    return values[static_cast<std::size_t>(number) % N];
}

}  // namespace

std::array<std::string, kLinesPerRecord> typicalRecordLines(std::int64_t number)
{
    const std::string code = std::to_string(1000000 + number);
    return {
        "base #" + std::string(pick(kNames, number)) + " " + std::to_string(number) + ";",
        "  local",
        "    Params = #ITraka,",
        "    JedinicaMjere = #" + std::string(pick(kUnits, number)) + ",",
        "    Duljina = " + std::to_string(2000 + number % 3000) + ", Sirina = "
            + pick(kWidths, number) + ", Debljina = " + pick(kThicknesses, number) + ",",
        "    NadmjeraKantiranja = NadmjeraKantiranjaPoStranici,",
        "    cijena = " + std::to_string(number % 7) + "." + std::to_string(10 + number % 90)
            + ",",
        "    tSifraDekora = #NULL,",
        "    tVrstaTrake = #ABS,",
        "    draw = ( tSifraDekora = #NULL ) ? #false : #true,",
        "    count = ( tSifraDekora = #NULL ) ? #none : #units,",
        "    colr = 0, colg = 0, colb = 0, alpha = 1, Tekstura = #none,",
        "    flags = #K,",
        "    dKolicina = ( Duljina + NadmjeraKantiranja ) / 1000, units = dKolicina * ( 1 + "
        "( GbPovecanjeKolicine ? ( GdPovecanjeKolicine / 100 ) : 0 ) ),",
        "    tRazmaci = #__ + ( GbPovecanjeKolicine ? #POV : #_______ ) + #_,",
        "    tUserSifra = #" + code + ", tOpis = Traka broj " + std::to_string(number)
            + " za plo\xe8" "e, $ObjectName = #" + code + "_NULL,",
        "    $dCijenaKantiranja = Params.dCijenaKantiranja,",
        "    hotstring = #null;",
        "  shape",
        "    colr = colr, colg = colg, colb = colb, alpha = alpha, texture = Tekstura,",
        "    type = #panel, x = Sirina, y = Duljina, z = Debljina;",
        "  pricedef tUserSifra;",
        "    CijenaTrake = dKolicina * cijena,",
        "    CijenaKantiranja = Duljina / 1000 * $dCijenaKantiranja,",
        "    Cijena = CijenaTrake + CijenaKantiranja;",
        "  priceend;",
        "  pricemod #;",
        "    Condition = 1;",
        "  priceend;",
        "  pricemod #;",
        "    Condition = 1;",
        "    Cijena = Cijena * ( 1 + GdMarzaZaPlocasteMaterijale );",
        "  priceend;",
        "  pricemod #;",
        "    Condition = GbTrakeGrupa2,",
        "    Cijena = Cijena * ( 1 + GdMarzaZaPlocasteMaterijale );",
        "  priceend;",
        "  pricemod tRazmaci;",
        "    Condition = GbOpisDioSifre;",
        "  priceend;",
        "  pricemod tOpis;",
        "    Condition = GbOpisDioSifre;",
        "  priceend;",
        "enddef;",
        "",
    };
}

std::string typicalCatalog(std::int64_t records)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(records) * 1800);
    for (std::int64_t n = 1; n <= records; ++n) {
        for (const std::string &line : typicalRecordLines(n)) {
            bytes += line;
            bytes += "\r\n";
        }
    }
    return bytes;
}

bool writeTypicalCatalog(const std::filesystem::path &file, std::int64_t records,
                         const RecordAdjustment &adjust)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    std::string block;
    for (std::int64_t n = 1; n <= records; ++n) {
        auto lines = typicalRecordLines(n);
        if (adjust)
            adjust(lines);
        for (const std::string &line : lines) {
            block += line;
            block += "\r\n";
        }
        if (block.size() >= (1 << 20) || n == records) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            block.clear();
        }
    }
    return static_cast<bool>(out.flush());
}
