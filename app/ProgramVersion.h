#pragma once
// The program's version, shown on the splash picture and in About.

inline constexpr char ProgramVersion[] = "1.0";
