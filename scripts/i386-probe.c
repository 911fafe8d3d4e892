/* A static 32-bit x86 program without the C library: it prints the machine that uname reports
 * and exits 0. A 64-bit kernel that runs it itself reports "x86_64"; qemu-user reports the CPU it
 * emulates ("i686"). A kernel that executes no 32-bit code refuses to start it at all. */
struct Names {
  char field[6][65]; /* sysname, nodename, release, version, machine, domainname */
};

static long Call(long number, long a, long b, long c) {
  long result;
  __asm__ volatile("int $0x80" : "=a"(result) : "a"(number), "b"(a), "c"(b), "d"(c) : "memory");
  return result;
}

enum { kExit = 1, kWrite = 4, kUname = 122 };

void _start(void) {
  static struct Names names;
  char* machine = names.field[4];
  long length = 0;
  if (Call(kUname, (long)&names, 0, 0) != 0) Call(kExit, 1, 0, 0);
  while (length < 64 && machine[length] != 0) ++length;
  machine[length++] = '\n';
  Call(kWrite, 1, (long)machine, length);
  Call(kExit, 0, 0, 0);
}
