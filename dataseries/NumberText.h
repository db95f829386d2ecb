#pragma once
// Numbers as spreadsheet programs show them. A workbook stores a number
// cell with up to 17 or more significant digits (0.07*100 as
// "7.000000000000001", 0.1 as "0.10000000000000001"); the digits past the
// 15th are the noise of binary arithmetic, which spreadsheet programs hide
// by showing at most 15 significant digits.

#include <string>

// Rewrites `text`, the stored value of a number cell, when it is a decimal
// number with a fraction or an exponent and more than 15 significant
// digits: it becomes that number rounded to 15 significant digits (half
// away from zero, on the stored digits themselves) in its shortest form,
// without trailing zeros in the fraction. A text with an exponent keeps the
// exponent form, with the stored exponent letter, sign style and at least as
// many exponent digits ("1.234567890123457E+17" becomes
// "1.23456789012346E+17"); a text without one stays without ("0.30000000000000004"
// becomes "0.3"). Integers without a fraction or exponent, numbers of at most
// 15 significant digits and anything that is not a number are left exactly
// as they are. Answers whether the text changed.
bool Shorten_Number_Text(std::string& text);
