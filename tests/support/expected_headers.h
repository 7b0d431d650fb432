// Both script headers as the bytes that must stand at the start of each script file.
#pragma once

namespace quorin::test {

inline constexpr char kExpectedMainHeader[] =
    "#VAR(Table, TABLE)\r\n"
    "#ADDTBL(\"quorin_table.txt\", Table)\r\n"
    "#ACTIVETBL(Table)\r\n"
    "\r\n"
    "#SMA(\"LINEAR\")\r\n"
    "\r\n"
    "#VAR(MyPtr, CUSTOMPOINTER)\r\n"
    "#VAR(PtrTable, POINTERTABLE)\r\n"
    "\r\n"
    "#CREATEPTR(MyPtr, \"GB4xxx\", $0, 24)\r\n"
    "#PTRTBL(PtrTable, $38000, 3, MyPtr)\r\n"
    "\r\n"
    "//---------------------------------------------------------\r\n"
    "//---------------------------------------------------------\r\n"
    "\r\n"
    "#SETINDEX($0000,1)\r\n"
    "\r\n"
    "#JMP($C0000)\r\n"
    "\r\n";

inline constexpr char kExpectedIntroHeader[] =
    "#VAR(Table, TABLE)\r\n"
    "#ADDTBL(\"quorin_intro.txt\", Table)\r\n"
    "#ACTIVETBL(Table)\r\n"
    "\r\n"
    "#SMA(\"LINEAR\")\r\n"
    "\r\n"
    "//---------------------------------------------------------\r\n"
    "//---------------------------------------------------------\r\n"
    "\r\n";

// "\r\n" and 58 slashes.
inline constexpr char kExpectedSlashLine[] =
    "\r\n//////////////////////////////////////////////////////////";

}  // namespace quorin::test
