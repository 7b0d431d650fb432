#include "driver/command_line.h"

int main(int argc, char** argv) {
  return quorin::run_command_line(argc, argv);
}
