#pragma once
// PlugInToolsLib: tools that work locally on the caller's thread on both roads. They never
// call the plug-in manager library or the relay tool and ignore the debug flag. The on-top
// state is the object's only state.
#include "base/run_time_error.h"
#include "base/value_types.h"
#include "tools/string_array.h"
#include "tools/window_argument.h"

namespace tavrosk {

class PlugInToolsLib {
 public:
  // Makes the window topmost when this object's on-top state is False and OnTop is exactly
  // True, not-topmost when the state is True and OnTop is exactly False; otherwise nothing.
  Status FormAlwaysOnTop(const WindowArgument& hWndOrForm, VbBool OnTop = kTrue);
  // Wraps the control's text at its edge (bState set) or not at all.
  Status RichTextBoxWordWrap(const WindowArgument& ctlRichText, VbBool bState = kTrue);
  // Appends CR LF to sPageText (it keeps it) and replaces sYourArray with its lines.
  Status Parse_GetLinesArray(Text& sPageText, StringArray& sYourArray);
  Result<VbBool> IsKorvexIdeRunning();

  Result<VbBool> FileExists(const Text& FullPathFileName);
  Result<VbBool> PathExists(const Text& Path);
  // The component layer hands the caller an empty Variant; the outcome is the status alone.
  Status CreatePath(const Text& Path);

 private:
  VbBool on_top_ = kFalse;  // the last topmost setting applied through this object
};

}  // namespace tavrosk
