#pragma once
// Instagram's additions to mutable attributed strings: mf_setString:
// replaces all characters with a text, which takes the attributes of the
// first character it replaces.

namespace hosts::instagram {

// Adds the methods to the platform's mutable attributed string class.
void registerAttributedStringAdditions();

} // namespace hosts::instagram
