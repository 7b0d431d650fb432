#include "table/render.h"

#include <cstring>

#include "io/hex.h"

namespace quorin {

namespace {

// Writes the slot's text (padding included, which the fill mark then leaves behind); returns its
// length.
size_t put_slot(const CharacterTable& table, uint8_t* out, uint16_t key) {
  std::memcpy(out, table.text[key], kSlotSize);
  return table.length[key];
}

uint8_t* put_hex_byte(uint8_t* out, uint8_t value) {
  out[0] = static_cast<uint8_t>(kHexDigits[value >> 4]);
  out[1] = static_cast<uint8_t>(kHexDigits[value & 0xF]);
  return out + 2;
}

// "<$XX>"
uint8_t* put_raw_token(uint8_t* out, uint8_t value) {
  out[0] = '<';
  out[1] = '$';
  out = put_hex_byte(out + 2, value);
  *out = '>';
  return out + 1;
}

}  // namespace

void render_char(const CharacterTable& table, ScriptWriter& w, uint8_t code) {
  uint8_t* out = token_room(w);
  if (table.length[code] != 0) {
    w.used += put_slot(table, out, code);
  } else {
    w.used += static_cast<size_t>(put_raw_token(out, code) - out);
  }
}

void render_chars(const CharacterTable& table, ScriptWriter& w, const uint8_t* codes, size_t n) {
  // The hot loop of a dump: the fill mark stays in a register and the buffer's end is checked
  // once per code, as token_room would.
  uint8_t* out = w.data + w.used;
  uint8_t* const full = w.data + kScriptBufferSize;
  for (size_t i = 0; i < n; ++i) {
    if (out >= full) {
      w.used = static_cast<size_t>(out - w.data);
      script_flush(w);
      out = w.data + w.used;
    }
    const uint8_t code = codes[i];
    const size_t length = table.length[code];
    if (length != 0) {
      std::memcpy(out, table.text[code], kSlotSize);
      out += length;
    } else {
      out = put_raw_token(out, code);
    }
  }
  w.used = static_cast<size_t>(out - w.data);
}

void render_code(const CharacterTable& table, ScriptWriter& w, uint8_t code) {
  uint8_t* out = token_room(w);
  if (table.length[code] != 0) {
    w.used += put_slot(table, out, code);
    return;
  }
  static constexpr char kOpen[] = "<CODE ";
  constexpr size_t kOpenSize = sizeof kOpen - 1;
  std::memcpy(out, kOpen, kOpenSize);
  uint8_t* end = put_hex_byte(out + kOpenSize, code);
  *end++ = '>';
  w.used += static_cast<size_t>(end - out);
}

void render_code_pair(const CharacterTable& table, ScriptWriter& w, uint8_t code, uint8_t arg) {
  uint8_t* out = token_room(w);
  const auto pair_key = static_cast<uint16_t>(code * 256u + arg);
  if (table.length[pair_key] != 0) {
    w.used += put_slot(table, out, pair_key);
    return;
  }
  uint8_t* end;
  if (table.length[code] != 0) {
    end = out + put_slot(table, out, code);
  } else {
    *out = '<';
    end = put_hex_byte(out + 1, code);
    *end++ = '>';
  }
  end = put_raw_token(end, arg);
  w.used += static_cast<size_t>(end - out);
}

}  // namespace quorin
