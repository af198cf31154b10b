#!/usr/bin/env bash
# Fails unless FILE is a PE32 executable for i386 with the Windows GUI subsystem, built to be
# loaded at a randomised address (DYNAMIC_BASE) with memory that is data never run as code
# (NX_COMPAT).
set -euo pipefail
file=$1
python3 - "$file" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
pe = struct.unpack_from('<I', data, 0x3C)[0]
assert data[pe:pe + 4] == b'PE\0\0', 'no PE signature'
machine = struct.unpack_from('<H', data, pe + 4)[0]
magic, = struct.unpack_from('<H', data, pe + 24)
subsystem, dll_characteristics = struct.unpack_from('<HH', data, pe + 24 + 68)
flags = [name for bit, name in ((0x40, 'DYNAMIC_BASE'), (0x100, 'NX_COMPAT')) if dll_characteristics & bit]
ok = machine == 0x14C and magic == 0x10B and subsystem == 2 and len(flags) == 2
print('%s: machine %#x, optional header %#x, subsystem %d, %s, %d bytes: %s'
      % (sys.argv[1], machine, magic, subsystem, '+'.join(flags) or 'neither DYNAMIC_BASE nor NX_COMPAT',
         len(data), 'PE32 GUI' if ok else 'WRONG'))
sys.exit(0 if ok else 1)
PY
