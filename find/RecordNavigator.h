#pragma once

// What the search needs of the main window: moving to a record and putting
// the focus on the place where the text was found.
class RecordNavigator {
 public:
  virtual ~RecordNavigator() = default;
  virtual void GoToRecord(int n) = 0;
  // Shows phone slot 0 to 3 in the phone box, as a click on its option does.
  virtual void ShowPhoneSlot(int slot) = 0;
  virtual void FocusGroupList() = 0;
  // Focuses text box k (0 name, 1 company, 2 address, 3 phone, 4 notes) with
  // the caret before the character at position of the field's text.
  virtual void PlaceCaret(int k, int position) = 0;
};
