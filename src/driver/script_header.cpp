#include "driver/script_header.h"

namespace quorin {

namespace {

void write_rule_lines(ScriptWriter& w) {
  write_text(w, kRuleLine);
  write_text(w, "\n");
  write_text(w, kRuleLine);
  write_text(w, "\n\n");
}

void write_table_lines(ScriptWriter& w, const char* insertion_table) {
  write_text(w, "#VAR(Table, TABLE)\n#ADDTBL(\"");
  write_text(w, insertion_table);
  write_text(w, "\", Table)\n#ACTIVETBL(Table)\n\n#SMA(\"LINEAR\")\n\n");
}

}  // namespace

void write_main_header(ScriptWriter& w) {
  write_table_lines(w, "quorin_table.txt");
  write_text(w,
             "#VAR(MyPtr, CUSTOMPOINTER)\n"
             "#VAR(PtrTable, POINTERTABLE)\n"
             "\n"
             "#CREATEPTR(MyPtr, \"GB4xxx\", $0, 24)\n"
             "#PTRTBL(PtrTable, $38000, 3, MyPtr)\n"
             "\n");
  write_rule_lines(w);
  write_text(w,
             "#SETINDEX($0000,1)\n"
             "\n"
             "#JMP($C0000)\n"
             "\n");
}

void write_intro_header(ScriptWriter& w) {
  write_table_lines(w, "quorin_intro.txt");
  write_rule_lines(w);
}

}  // namespace quorin
