#pragma once

// The context numbers of the help topics, one for each window, dialog and
// menu command that opens help. The help file's topics carry the same numbers.
namespace HelpTopic {
inline constexpr int MainWindow = 210;
inline constexpr int FileNew = 1100;
inline constexpr int FileOpen = 1110;
inline constexpr int FileSave = 1120;
inline constexpr int FileSaveAs = 1130;
inline constexpr int ExportText = 1135;
inline constexpr int Print = 1140;
inline constexpr int BookProperties = 1150;
inline constexpr int FileExit = 1190;
inline constexpr int EditCut = 1210;
inline constexpr int EditCopy = 1220;
inline constexpr int EditPaste = 1230;
inline constexpr int PhoneNames = 1240;
inline constexpr int GroupList = 1250;
inline constexpr int AddRecord = 1310;
inline constexpr int DeleteRecord = 1320;
inline constexpr int Search = 1330;
inline constexpr int FindNext = 1340;
inline constexpr int FindPrevious = 1350;
inline constexpr int Sort = 1360;
inline constexpr int GoTo = 1370;
inline constexpr int States = 1410;
inline constexpr int DialNumber = 1420;
inline constexpr int Settings = 1440;
inline constexpr int About = 1590;
inline constexpr int Import = 1620;
inline constexpr int ExportVCard = 1630;
inline constexpr int Sync = 1760;
inline constexpr int SyncKept = 1761;
inline constexpr int SyncConflicts = 1762;
inline constexpr int SyncCommandLine = 1763;
inline constexpr int SyncOptions = 1764;
inline constexpr int PrinterChoice = 1650;
inline constexpr int PrintPreview = 1651;
inline constexpr int Fonts = 1810;
inline constexpr int Align = 1820;
inline constexpr int ReadyPage = 1830;
inline constexpr int MultipleGroups = 1840;
inline constexpr int EditPhoneNameList = 1850;
inline constexpr int DeleteGroup = 1860;
inline constexpr int DeletePhoneName = 1870;
}  // namespace HelpTopic
