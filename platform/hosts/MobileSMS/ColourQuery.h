#pragma once
#include <string>
#include <vector>

namespace messages {

// Asks for colours exactly as Messages does: UIColor's of the class, the
// theme's of a CKUITheme instance. One line per selector: "SELECTOR RRGGBBAA"
// (balloon selectors print both gradient colours).
class ColourQuery {
  public:
    // The colours Messages asks for, in the order it shows them.
    static const std::vector<std::string>& askedColours();
    // False (with a message on stderr) for a selector neither class answers;
    // theme colours on a platform without CKUITheme are skipped with a note.
    static bool print(const std::string& selector);
};

} // namespace messages
