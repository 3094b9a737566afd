#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QPushButton>

#include "platform/FontChooser.h"
#include "platform/HelpButton.h"
#include "platform/ServiceSlot.h"

namespace {

// The family's plainest style with that weight and slant ("Book" rather than
// "Condensed"), so that the dialog opens on the font as it is.
QString StyleOf(const QString& family, bool bold, bool italic) {
  QString chosen;
  for (const QString& style : QFontDatabase::styles(family)) {
    if (QFontDatabase::bold(family, style) != bold || QFontDatabase::italic(family, style) != italic) continue;
    if (chosen.isEmpty() || style.size() < chosen.size()) chosen = style;
  }
  return chosen;
}

// The effects (strike-out, underline) are not printed, so they are not
// offered. Their box keeps its room: the sample beside it takes its height
// from that row and would be too low to show the chosen font without it.
void HideEffects(QFontDialog& dialog) {
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
    if (group->findChildren<QCheckBox*>().isEmpty()) continue;
    QSizePolicy policy = group->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    group->setSizePolicy(policy);
    group->hide();
  }
}

class QtFontChooser : public FontChooser {
 public:
  bool Choose(FontChoice& font, int helpContext) override {
    QFont initial(font.Name);
    if (font.Size > 0) initial.setPointSizeF(font.Size);
    initial.setBold(font.Bold);
    initial.setItalic(font.Italic);
    const QString style = StyleOf(font.Name, font.Bold, font.Italic);
    if (!style.isEmpty()) initial.setStyleName(style);
    QFontDialog dialog(initial, QApplication::activeWindow());
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("Font"));
    HideEffects(dialog);
    AddHelpButton(dialog, helpContext);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QFont chosen = dialog.selectedFont();
    font = {chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic()};
    return true;
  }
};

ServiceSlot<FontChooser> slot([] { return std::make_unique<QtFontChooser>(); });

}  // namespace

FontChooser& Fonts() { return slot.Get(); }
void InstallFonts(FontChooser* implementation) { slot.Install(implementation); }
