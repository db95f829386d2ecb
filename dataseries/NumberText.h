#pragma once
// Numbers as a person wrote them. Spreadsheet programs store a number cell
// with up to 17 or more significant digits (303.3 as
// "303.299999999999999989", 0.1 as "0.10000000000000001"); such a text is
// shown in the shortest form that reads back as the same double.

#include <string>

// Rewrites `text`, the stored value of a number cell, when it is a decimal
// number with a fraction or an exponent and more than 15 significant
// digits: it becomes the shortest text giving the same double, without an
// exponent when the stored text had none. Integers, shorter numbers and
// anything that is not a number are left as they are. Answers whether the
// text changed.
bool Shorten_Number_Text(std::string& text);
