#pragma once

#include <cstdint>
#include <string>

#include <QString>

#include "platform/PrinterChoice.h"

// The user's preferences, read at start-up and written back at exit. Each
// value bears the name of its key; texts that are compared with or printed
// beside document text are windows-1252 bytes like the document.
struct ProgramSettings {
  struct PhoneBookSection {
    QString DataFile;
    bool PromptBeforeSaving = true;
    bool ShowStatusTime = true;
    bool ShowStatusDate = true;
  } PhoneBook;

  struct SearchSection {
    std::string SearchString;
    bool MatchCase = false;
    bool AllFields = true;
    int16_t WhichFields = -1;
  } Search;

  struct PrintingSection {
    std::string Title = "Vantreo";
    int16_t ReportType = 0;
    bool IncludeAddress = false;
    bool ShowLetters = true;
    QString FontName = QStringLiteral("Times New Roman");
    int16_t FontSize = 12;
    bool FontBold = false;
    bool FontItalic = false;
    float XOffset = 0;
    float YOffset = 0;
    PrinterChoice Printer;  // empty until the user chooses
    bool BothSidesInOnePass = false;
  } Printing;

  struct ExportSection {
    QString File;
    int16_t Separator = 0;
    bool PhoneNames = false;
    int16_t WhichFields = 507;
    bool CodePage = false;  // a Unicode book exported as windows-1252 instead of UTF-8; not kept
  } Export;
};

ProgramSettings& Settings();
