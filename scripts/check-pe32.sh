#!/usr/bin/env bash
# Fails unless FILE is a PE32 executable for i386 with the Windows GUI subsystem.
set -euo pipefail
file=$1
python3 - "$file" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
pe = struct.unpack_from('<I', data, 0x3C)[0]
assert data[pe:pe + 4] == b'PE\0\0', 'no PE signature'
machine = struct.unpack_from('<H', data, pe + 4)[0]
magic, = struct.unpack_from('<H', data, pe + 24)
subsystem, = struct.unpack_from('<H', data, pe + 24 + 68)
ok = machine == 0x14C and magic == 0x10B and subsystem == 2
print('%s: machine %#x, optional header %#x, subsystem %d, %d bytes: %s'
      % (sys.argv[1], machine, magic, subsystem, len(data), 'PE32 GUI' if ok else 'WRONG'))
sys.exit(0 if ok else 1)
PY
