#pragma once

// The program's state lives in these files in the current working directory.
namespace working_files {

inline constexpr char kSettings[] = "rafflixset.ini";
inline constexpr char kParticipants[] = "rafflixlist.txt";
inline constexpr char kResults[] = "retotal.txt";

} // namespace working_files
