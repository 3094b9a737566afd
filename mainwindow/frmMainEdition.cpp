// The book's edition as the window sees it: the one question before an
// old-edition book becomes a Unicode book.
#include <QFileInfo>
#include <QScopedValueRollback>

#include "core/DataFile.h"
#include "core/Document.h"
#include "core/ErrorReport.h"
#include "core/FieldInput.h"
#include "interchange/ImportPlan.h"
#include "interchange/ImportSource.h"
#include "mainwindow/MultiLineField.h"
#include "mainwindow/OneLineField.h"
#include "mainwindow/frmMain.h"
#include "platform/SystemBeep.h"

namespace {

QString EditionQuestion(const QString& what, const QString& fileName) {
  return what + QStringLiteral(
                    " cannot be stored in an address book of the old format.\n\n"
                    "Convert this book to a Unicode address book? It can then hold every character. Older versions "
                    "of Vantreo, and other programs that read the old format, will not open it; the old file is "
                    "kept as \"%1.bak\".\n\n"
                    "Keep the Old Format: characters it cannot hold are refused, and imported text is turned into "
                    "Latin letters.")
                    .arg(QFileInfo(fileName).fileName());
}

}  // namespace

void frmMain::ConnectEditionQuestion() {
  // The question comes up while the box judges the input; the text goes in
  // afterwards, once the box has finished with the change it refused.
  const auto offer = [this](auto* box) {
    return [this, box](const QString& insertion, const QString& reason) {
      if (askingEdition_) return;  // the box judges the same input again while the question is open
      if (!ConvertOnUsersWord(QStringLiteral("'%1'").arg(FirstUnstorable(insertion)))) return RefuseInput(reason);
      QMetaObject::invokeMethod(box, [box, insertion] { box->InsertTyped(insertion); }, Qt::QueuedConnection);
    };
  };
  for (OneLineField* box : {txtName, txtCompany, txtPhone}) connect(box, &OneLineField::unstorableInput, this, offer(box));
  for (MultiLineField* box : {txtAddress, txtNotes}) connect(box, &MultiLineField::unstorableInput, this, offer(box));
}

void frmMain::RefuseInput(const QString& reason) {
  Beeper().Beep();
  ShowInputRefusal(reason);
}

bool frmMain::ConvertOnUsersWord(const QString& what) {
  if (book_.IsUnicode()) return true;
  if (book_.KeepSingleByte) return false;
  const QString name = book_.IsUntitled() ? QString::fromLatin1(kUntitled) : book_.FileName;
  QScopedValueRollback asking(askingEdition_, true);
  if (ShowMessage(MessageKind::EditionQuestion, EditionQuestion(what, name)) != MessageAnswer::Yes) {
    book_.KeepSingleByte = true;
    return false;
  }
  ConvertToUnicode(book_);
  // Saved at once, so that the old file is the one kept as the backup.
  if (!book_.IsUntitled()) ShowOutcome(SaveDocument(book_));
  // The boxes keep their text: one of them may be judging input right now.
  for (OneLineField* box : {txtName, txtCompany, txtPhone}) box->SetUnicode(true);
  for (MultiLineField* box : {txtAddress, txtNotes}) box->SetUnicode(true);
  return true;
}

void frmMain::OfferUnicodeForImport(const std::vector<ImportSource>& sources) {
  if (book_.IsUnicode() || book_.KeepSingleByte) return;
  const ImportPlan plan = PlanImport(book_, ContactsOf(sources), true);
  if (!plan.Transliterated.empty())
    ConvertOnUsersWord(QStringLiteral("Imported text such as '%1'").arg(plan.Transliterated.front().Before));
}
