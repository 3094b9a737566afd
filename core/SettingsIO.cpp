#include "core/SettingsIO.h"

#include "core/ErrorReport.h"
#include "core/SettingsText.h"
#include "core/BookText.h"
#include "platform/StandardLocations.h"

namespace {

const QString kPhoneBook = QStringLiteral("PhoneBook");
const QString kSearch = QStringLiteral("Search");
const QString kPrinting = QStringLiteral("Printing");
const QString kExport = QStringLiteral("Export");

// Reads keys with their defaults. After the first key that cannot be read,
// every later key takes its default without being read.
class SettingsReader {
 public:
  SettingsReader(SettingsStore& store, QString section) : store_(store), section_(std::move(section)) {}

  void Section(const QString& section) { section_ = section; }

  QString Text(const QString& key, const QString& defaultValue) {
    return failed_ ? defaultValue : store_.Read(section_, key, defaultValue);
  }
  std::string Bytes(const QString& key, const std::string& defaultValue) {
    return StoredText(Text(key, ShownText(defaultValue)));
  }
  bool Loose(const QString& key, bool defaultValue) {
    return ReadLooseBoolean(Text(key, BooleanText(defaultValue)));
  }
  int16_t Integer(const QString& key, const QString& defaultValue) {
    return ReadInteger16(Text(key, defaultValue));
  }
  float Offset(const QString& key) { return static_cast<float>(ReadNumber(Text(key, QStringLiteral("0")))); }

  bool Strict(const QString& key, bool defaultValue) {
    const std::optional<bool> value = ReadStrictBoolean(Text(key, BooleanText(defaultValue)));
    if (value) return *value;
    failed_ = true;
    return defaultValue;
  }

  bool Failed() const { return failed_; }

 private:
  SettingsStore& store_;
  QString section_;
  bool failed_ = false;
};

void ReadPrintFont(ProgramSettings::PrintingSection& printing, SettingsReader& in,
                   const std::optional<PrinterFontInfo>& printerFont) {
  if (!printerFont) {
    // Without a printer the store's values are not used.
    printing.FontName = kFallbackPrintFont.Name;
    printing.FontSize = kFallbackPrintFont.Size;
    return;
  }
  printing.FontName = in.Text(QStringLiteral("FontName"), printerFont->Name);
  printing.FontSize = in.Integer(QStringLiteral("FontSize"), QString::number(printerFont->Size));
}

const QString kPortrait = QStringLiteral("Portrait");
const QString kLandscape = QStringLiteral("Landscape");

void ReadPrinterChoice(ProgramSettings::PrintingSection& printing, SettingsReader& in) {
  PrinterChoice& printer = printing.Printer;
  printer.Name = in.Text(QStringLiteral("PrinterName"), {});
  printer.ToFile = in.Loose(QStringLiteral("PrintToFile"), false);
  printer.Folder = in.Text(QStringLiteral("PdfFolder"), {});
  printer.PaperSize = in.Text(QStringLiteral("PaperSize"), {});
  printer.Landscape = in.Text(QStringLiteral("Orientation"), kPortrait).compare(kLandscape, Qt::CaseInsensitive) == 0;
  printing.BothSidesInOnePass = in.Loose(QStringLiteral("BothSidesInOnePass"), false);
}

}  // namespace

void LoadSettings(ProgramSettings& settings, SettingsStore& store,
                  const std::optional<PrinterFontInfo>& printerFont) {
  settings.PhoneBook.DataFile = QStringLiteral("Quillbox.dat");
  settings.PhoneBook.PromptBeforeSaving = true;
  settings.Search.AllFields = true;
  settings.Search.WhichFields = -1;

  SettingsReader in(store, kPhoneBook);
  auto& phoneBook = settings.PhoneBook;
  phoneBook.DataFile = in.Text(QStringLiteral("DataFile"), DefaultDataFilePath());
  phoneBook.PromptBeforeSaving = in.Loose(QStringLiteral("PromptBeforeSaving"), true);
  phoneBook.ShowStatusTime = in.Strict(QStringLiteral("ShowStatusTime"), true);
  phoneBook.ShowStatusDate = in.Strict(QStringLiteral("ShowStatusDate"), true);

  in.Section(kSearch);
  auto& search = settings.Search;
  search.SearchString = in.Bytes(QStringLiteral("SearchString"), "");
  search.MatchCase = in.Loose(QStringLiteral("MatchCase"), false);
  search.AllFields = in.Loose(QStringLiteral("AllFields"), true);
  search.WhichFields = in.Integer(QStringLiteral("WhichFields"), QStringLiteral("-1"));

  in.Section(kPrinting);
  auto& printing = settings.Printing;
  printing.Title = in.Bytes(QStringLiteral("Title"), "Vantreo");
  printing.ReportType = in.Integer(QStringLiteral("ReportType"), QStringLiteral("0"));
  printing.IncludeAddress = in.Loose(QStringLiteral("IncludeAddress"), false);
  printing.ShowLetters = in.Loose(QStringLiteral("ShowLetters"), true);
  ReadPrintFont(printing, in, printerFont);
  printing.FontBold = in.Loose(QStringLiteral("FontBold"), false);
  printing.FontItalic = in.Loose(QStringLiteral("FontItalic"), false);
  printing.XOffset = in.Offset(QStringLiteral("XOffset"));
  printing.YOffset = in.Offset(QStringLiteral("YOffset"));
  ReadPrinterChoice(printing, in);

  in.Section(kExport);
  auto& exportSection = settings.Export;
  exportSection.File = in.Text(QStringLiteral("File"), DefaultExportFilePath());
  exportSection.Separator = in.Integer(QStringLiteral("Separator"), QStringLiteral("0"));
  exportSection.PhoneNames = in.Strict(QStringLiteral("PhoneNames"), false);
  exportSection.WhichFields = in.Integer(QStringLiteral("WhichFields"), QStringLiteral("&H1FB"));

  if (in.Failed())
    ShowMessage(MessageKind::Notice, QStringLiteral("Error reading program settings from system registry "
                                                    "(Type mismatch). Using default settings."));
}

void SaveSettings(const ProgramSettings& settings, SettingsStore& store, const QString& dataFile) {
  const auto write = [&store](const QString& section, const char* key, const QString& value) {
    store.Write(section, QLatin1String(key), value);
  };
  write(kPhoneBook, "DataFile", dataFile);
  write(kPhoneBook, "PromptBeforeSaving", BooleanText(settings.PhoneBook.PromptBeforeSaving));
  write(kPhoneBook, "ShowStatusTime", BooleanText(settings.PhoneBook.ShowStatusTime));
  write(kPhoneBook, "ShowStatusDate", BooleanText(settings.PhoneBook.ShowStatusDate));

  write(kSearch, "SearchString", ShownText(settings.Search.SearchString));
  write(kSearch, "MatchCase", BooleanText(settings.Search.MatchCase));
  write(kSearch, "AllFields", BooleanText(settings.Search.AllFields));
  write(kSearch, "WhichFields", QString::number(settings.Search.WhichFields));

  const auto& printing = settings.Printing;
  write(kPrinting, "Title", ShownText(printing.Title));
  write(kPrinting, "ReportType", QString::number(printing.ReportType));
  write(kPrinting, "IncludeAddress", BooleanText(printing.IncludeAddress));
  write(kPrinting, "ShowLetters", BooleanText(printing.ShowLetters));
  write(kPrinting, "FontName", printing.FontName);
  write(kPrinting, "FontSize", QString::number(printing.FontSize));
  write(kPrinting, "FontBold", BooleanText(printing.FontBold));
  write(kPrinting, "FontItalic", BooleanText(printing.FontItalic));
  write(kPrinting, "XOffset", OffsetText(printing.XOffset));
  write(kPrinting, "YOffset", OffsetText(printing.YOffset));
  write(kPrinting, "PrinterName", printing.Printer.Name);
  write(kPrinting, "PrintToFile", BooleanText(printing.Printer.ToFile));
  write(kPrinting, "PdfFolder", printing.Printer.Folder);
  write(kPrinting, "PaperSize", printing.Printer.PaperSize);
  write(kPrinting, "Orientation", printing.Printer.Landscape ? kLandscape : kPortrait);
  write(kPrinting, "BothSidesInOnePass", BooleanText(printing.BothSidesInOnePass));

  write(kExport, "File", settings.Export.File);
  write(kExport, "Separator", QString::number(settings.Export.Separator));
  write(kExport, "PhoneNames", BooleanText(settings.Export.PhoneNames));
  write(kExport, "WhichFields", HexMaskText(settings.Export.WhichFields));
}
