#pragma once

#include <QString>

namespace vkm {

// Colours of status texts: a step under way, a success, a failure or a
// difference.
enum class TextColour { Black, Blue, Red };

// Where one operation shows its texts and its progress. A worker calls it
// from its own thread; each front end decides how the updates reach the
// user (the window posts them to its own thread, in order).
class OperationReport {
 public:
  virtual ~OperationReport() = default;
  virtual void ShowStatus(const QString& text, TextColour colour) = 0;
  // Replaces the text and keeps the colour of the previous one.
  virtual void ReplaceText(const QString& text) = 0;
  virtual void SetProgressMaximum(int maximum) = 0;
  virtual void SetProgress(int position) = 0;
};

}  // namespace vkm
