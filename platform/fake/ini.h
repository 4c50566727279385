// A reader and writer for Windows INI text that gives what the private-profile
// functions give, so that a settings file written off Windows stays a file
// GetPrivateProfileStringA and WritePrivateProfileStringA read and write alike.
//
// Both work on the whole file as ANSI bytes (GBK on the target machines: a
// byte with its high bit set starts a two-byte character). An absent file is
// the empty text: the profile functions treat an absent and an empty file the
// same, for reading and for writing.
#pragma once
#include <string>

namespace ini {

// What GetPrivateProfileStringA(section, key, fallback, buf, buffer, file)
// puts into buf for a file holding `bytes`:
// - section and key names match ASCII case-insensitively, trimmed of white
//   space; only the first section of a name is searched, and in it the first
//   key of the name counts;
// - the value is trimmed of white space, a pair of matching quotes (" or ')
//   around it is removed, and it is cut to buffer-1 bytes;
// - a missing section or key, or a key line without '=', gives the fallback
//   less its trailing spaces, cut the same way; a key with an empty value
//   gives the empty text.
std::string Read(const std::string& bytes, const std::string& section, const std::string& key,
                 const std::string& fallback, unsigned buffer);

// The file's bytes after WritePrivateProfileStringA(section, key, value, file):
// the value replaces the old one on the key's own line; a missing key is added
// after the last non-blank line of its section, a missing section (and the
// file) at the end. New lines end in CR LF; all other bytes stay as they were.
std::string Write(const std::string& bytes, const std::string& section, const std::string& key,
                  const std::string& value);

}  // namespace ini
