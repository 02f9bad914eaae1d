#include "CaptionLabel.h"
#include "CodePage1250.h"
#include "RecordTemplate.h"
#include "TextBox.h"
#include "UpDown.h"
#include "basMain.h"
#include "clsSlog.h"
#include "frmVelmora.h"

#include <array>
#include <cassert>

namespace {

// The controls that show a record's members, paired in order with the first 60 entries of
// recordMembers(); the 61st, the record's closing line, is never shown.
constexpr std::array<const char *, 60> kShownControls = {
    "label1", "txtBase_Naziv", "label1_1",
    "Label2", "Label3",
    "Label4", "txtJedinicaMjere", "Label4_1",
    "Label5", "txtDuljina", "Label5_1", "Label5_2", "txtSirina", "Label5_3",
    "Label5_4", "txtDebljina", "Label5_5",
    "Label6",
    "Label7", "txtCijena", "Label7_1",
    "Label8", "Label9", "Label10", "Label11", "Label12", "Label13", "Label14", "Label15",
    "Label16", "txttOpis", "Label16_1",
    "Label17", "Label18",
    "Label19", "Label20", "Label21",
    "Label22", "Label23", "Label24", "Label25", "Label26",
    "Label27", "Label28", "Label29",
    "Label30", "Label31", "Label32", "Label33",
    "Label34", "Label35", "Label36", "Label37",
    "Label38", "Label39", "Label40",
    "Label41", "Label42", "Label43",
    "Label44",
};

}  // namespace

// Change events are not held back: a box whose text really changes runs its handler inside
// the step that set it. Callers set gBrojSloga to brojsloga first, so a value box writes back
// the value just shown and a rewritten record number arrives at this same record again.
void clsSlog::IspisSlogaNaEkranu(std::int32_t brojsloga)
{
    frmVelmora *form = frmVelmora::instance();
    assert(form != nullptr);
    if (form == nullptr)
        return;

    form->txtBrojSloga()->setText(QString::number(brojsloga));
    form->lblUkupnoSlogova()->setCaption(QString::number(UkBrSlogova));
    form->UpDnBrSloga()->setMaximum(UkBrSlogova);

    const auto members = recordMembers();
    for (std::size_t step = 0; step < kShownControls.size(); ++step) {
        // Throws SubscriptOutOfRange for a record outside the arrays, creates a missing object.
        const std::string &value = members[step](gRecords, brojsloga);
        const QString text = QString::fromStdU16String(CodePage1250::decode(value));
        QWidget *control = form->control(QString::fromUtf8(kShownControls[step]));
        if (auto *box = qobject_cast<TextBox *>(control)) {
            box->showValue(text);
            // A value longer than its box is shown from its start.
            box->setCursorPosition(0);
        } else {
            qobject_cast<CaptionLabel *>(control)->setCaption(text);
        }
    }
}
