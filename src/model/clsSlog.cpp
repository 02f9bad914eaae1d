#include "clsSlog.h"

// Appending is the append button's work, and the catalog offers no insert or delete.
void clsSlog::DodavanjeSlogaNaKraju() {}
void clsSlog::UmetanjeSloga() {}
void clsSlog::BrisanjeSloga() {}
