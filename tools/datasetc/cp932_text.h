// UTF-8 to code page 932 for the dataset compiler (the key file's comments are CP932 text).
#pragma once
#include <string>

// Converts utf8 to CP932 into *out; 0 when a character has no CP932 form or the text is not UTF-8.
int utf8_to_cp932(const std::string &utf8, std::string *out);
