// The names of the keys by virtual-key code, as the key-setting forms show them: each begins with a blank;
// keys without a name of their own show their character, and code 255 has none at all.
#pragma once

// Fills the table and makes it the one GP_KeyNames points at.
void GP_BuildKeyNames();
// Empties the table; GP_KeyNames is null again.
void GP_FreeKeyNames();

constexpr int GP_KeyNameSize = 16;  // bytes of a name with its terminator
