#include "ui/AboutBox.h"

#include "ui/WindowKeys.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QStringList>

AboutBox::AboutBox(QWidget *parent) : QMessageBox(parent)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(tr("About Velmora"));
    setTextFormat(Qt::RichText);
    if (const QIcon icon = QApplication::windowIcon(); !icon.isNull())
        setIconPixmap(icon.pixmap(64, 64));

    // The licence is carried inside the program; its first lines name it and its holders.
    QFile file(QStringLiteral(":/about/LICENSE"));
    const QString licence =
        file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
    const QStringList lines = licence.split(u'\n', Qt::SkipEmptyParts);

    setText(QStringLiteral("<h3>Velmora %1</h3><p>%2</p>")
                .arg(QStringLiteral(VELMORA_VERSION),
                     tr("Edits the edge-banding strip catalog Trake.odl.").toHtmlEscaped()));
    QString keys = QStringLiteral("<p><b>%1</b></p><table cellspacing=\"4\">")
                       .arg(tr("Keys in the window:").toHtmlEscaped());
    for (const WindowKey &key : windowKeys()) {
        keys += QStringLiteral("<tr><td style=\"white-space: nowrap\"><b>%1</b></td>"
                               "<td>%2</td></tr>")
                    .arg(key.keys.toHtmlEscaped(), key.text.toHtmlEscaped());
    }
    keys += QStringLiteral("</table>");
    if (lines.size() >= 2) {
        keys += QStringLiteral("<p>%1<br>%2</p>")
                    .arg(lines[0].toHtmlEscaped(), lines[1].toHtmlEscaped());
    }
    setInformativeText(keys);
    setDetailedText(licence);
    setStandardButtons(QMessageBox::Close);
    // Enter closes it too, rather than opening the details.
    setDefaultButton(QMessageBox::Close);
    setEscapeButton(QMessageBox::Close);
}
