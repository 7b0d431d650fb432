// Writes decoded codes to the script: the slot text when the table has one, else a token that
// shows the byte values. None of these writes a line break.
#pragma once

#include <cstddef>
#include <cstdint>

#include "io/script_writer.h"
#include "table/character_table.h"

namespace quorin {

// A text byte: its slot text, else "<$XX>".
void render_char(const CharacterTable& table, ScriptWriter& w, uint8_t code);
// n text bytes, each as render_char writes it.
void render_chars(const CharacterTable& table, ScriptWriter& w, const uint8_t* codes, size_t n);
// A control byte without a two-byte form: its slot text, else "<CODE XX>".
void render_code(const CharacterTable& table, ScriptWriter& w, uint8_t code);
// A control byte with its argument: the pair's slot text, else the control byte's slot text and
// "<$AA>", else "<CC><$AA>".
void render_code_pair(const CharacterTable& table, ScriptWriter& w, uint8_t code, uint8_t arg);

}  // namespace quorin
