#include "TextDataCmdn.h"

TextDataCmdn::TextDataCmdn() : TextDataBase({{"\r", "\n"}, {"\xE2\x88\x92", "\xEF\xBC\x8D"}}) {}
