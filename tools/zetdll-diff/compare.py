#!/usr/bin/env python3
"""Compares the transcripts zetdll-diff wrote for the same cases in two builds.

  compare.py CASES REFERENCE OTHER [NAME]

Every known difference of the table below is normalised away in both transcripts, exactly that
difference and only in the cases it concerns; any other difference is printed with the case's
seed and the first differing line of each transcript. Exit status 1 when there is one.
"""
import sys

MAX_REPORTED = 20


def read_cases(path):
    """The input files and calls of every case of a stream: {id: {'files': {name: bytes},
    'calls': [(export, [argument bytes])]}}."""
    cases = {}
    with open(path, 'rb') as f:
        data = f.read()
    at = 0
    case = None
    while at < len(data):
        end = data.index(b'\n', at)
        words = data[at:end].split(b' ')
        at = end + 1
        if words[0] == b'case':
            case = cases.setdefault(words[1].decode(), {'files': {}, 'calls': []})
        elif words[0] == b'call':
            case['calls'].append((words[1].decode(), []))
        elif words[0] in (b'file', b'arg') and len(words) >= 2:
            size = int(words[2] if words[0] == b'file' else words[1])
            if words[0] == b'file':
                case['files'][words[1].decode()] = data[at:at + size]
            else:
                case['calls'][-1][1].append(data[at:at + size])
            at += size + 1
    return cases


def read_transcript(path):
    """{id: [lines]} in the order the cases ran."""
    cases = {}
    lines = None
    with open(path, 'rb') as f:
        for raw in f:
            line = raw.decode('latin-1').rstrip('\n')
            if line.startswith('case '):
                lines = cases.setdefault(line[5:], [])
            elif lines is not None:
                lines.append(line)
    return cases


def file_blocks(lines):
    """The transcript split into its call part and one (header, content lines) per file."""
    calls, files, current = [], [], None
    for line in lines:
        if line.startswith(('file ', 'dir ')):
            current = [line, []]
            files.append(current)
        elif current is not None and line.startswith('  | '):
            current[1].append(line)
        else:
            calls.append(line)
    return calls, files


def join(calls, files):
    out = list(calls)
    for head, content in files:
        out.append(head)
        out.extend(content)
    return out


def replace_cfg(lines, change):
    """Applies change(list of escaped lines) -> list to duvevo.cfg's lines."""
    calls, files = file_blocks(lines)
    for block in files:
        if block[0].startswith('file duvevo.cfg,'):
            block[1] = ['  | ' + line for line in change([x[4:] for x in block[1]])]
    return join(calls, files)


# ---- the table of known differences ----
# Each entry: when it applies (from the case's input files and calls), and what it does to both
# transcripts. Shown in the README; keep the two in step.

def unescape(lines):
    """duvevo.cfg's bytes from its escaped transcript lines."""
    data = bytearray()
    for line in lines:
        at = 0
        while at < len(line):
            if line[at] == '\\' and line[at + 1] in 'rn':
                data += b'\r' if line[at + 1] == 'r' else b'\n'
                at += 2
            elif line[at] == '\\':
                data.append(int(line[at + 2:at + 4], 16))
                at += 4
            else:
                data.append(ord(line[at]))
                at += 1
    return bytes(data)


def profile_form(lines):
    """duvevo.cfg as Wine's profile calls write it back, from its escaped transcript lines."""
    data = unescape(lines)
    return profile_lines(data[2:].decode('utf-16-le', 'replace') if data.startswith(b'\xff\xfe')
                         else data.decode('latin-1'))


BLANKS = ' \t\v\f\x1a'


def profile_lines(text):
    """The lines of a text as Wine's profile calls write them: one CR LF per line, no blank or
    Ctrl-Z line; a header's name, a key and a value each end at a NUL and lose the blanks
    around them; nothing after a header's "]"."""
    out = []
    for line in text.replace('\r\n', '\n').replace('\r', '\n').split('\n'):
        line = line.strip(BLANKS)
        if line.startswith('[') and ']' in line:
            line = '[%s]' % line[1:line.index(']')].split('\0')[0].strip(BLANKS)
        elif '=' in line:
            key, _, val = line.partition('=')
            line = '%s=%s' % (key.split('\0')[0].strip(BLANKS), val.split('\0')[0].strip(BLANKS))
        else:
            line = line.split('\0')[0].strip(BLANKS)
        if line:
            out.append(line)
    return out


def profile_input_marked(case):
    """A file read through the profile calls that starts with a UTF-8 or a UTF-16BE mark."""
    return any(case['files'].get(name, b'').startswith((b'\xef\xbb\xbf', b'\xfe\xff'))
               for name in ('duvevo.cfg', 'grnames.ini'))


def dictionary_merge(case):
    """A call of the dictionary form, which writes through the profile calls."""
    return any(export == 'updateDuvEvoCfg' and len(args) > 1 and not args[1].startswith(b'/')
               for export, args in case['calls'])


def odd_files(case):
    """The files read through the profile calls that are UTF-16LE of an odd length."""
    return [name for name in ('duvevo.cfg', 'grnames.ini')
            if case['files'].get(name, b'').startswith(b'\xff\xfe')
            and len(case['files'][name]) % 2 == 1]


def read_back(value):
    """A value as a profile read gives it: without surrounding blanks and one pair of quotes."""
    value = value.strip(BLANKS)
    if len(value) >= 2 and value[0] in '"\'' and value[-1] == value[0]:
        value = value[1:-1]
    return value


def without_odd_byte(lines, case):
    """The profile form without what Wine makes of a file's unpaired last byte (that byte and
    an undefined one after it, as one character): a line of its own when the text before it ends
    with a line end; otherwise the end of the last line, whose value may be copied elsewhere."""
    for name in odd_files(case):
        data = case['files'][name]

        def odd(char):
            # Its high byte is whatever Wine read past the end: a surrogate half decodes as U+FFFD,
            # and a character the code page lacks is copied into an 8-bit file as '?'.
            return len(char) == 1 and (ord(char) & 0xFF == data[-1] or char in '\ufffd?')

        text = data[2:-1].decode('utf-16-le', 'replace')
        raw = text.replace('\r', '\n').split('\n')[-1]
        tail = (raw.partition('=')[2] if '=' in raw else raw).lstrip(BLANKS)
        # As copied into an 8-bit duvevo.cfg, the value is in code page 1252.
        tails = {tail, tail.encode('cp1252', 'replace').decode('latin-1')} if tail else set()
        out = []
        for line in lines:
            if not tails and odd(line):
                continue
            for value in tails:
                at = line.find(value)
                while at >= 0:
                    end = at + len(value)
                    if odd(line[end:end + 1]):
                        # The file's own last line, untouched, or its value read and copied.
                        kept = end + 1 == len(line) and name == 'duvevo.cfg'
                        line = line[:at] + (value.rstrip(BLANKS) if kept else read_back(value)) \
                            + line[end + 1:]
                    at = line.find(value, at + 1)
            out.append(line)
        lines = out
    return lines


TABLE = [
    {
        'name': 'marks',
        'applies': profile_input_marked,
        'normalise': lambda lines, case: replace_cfg(lines, lambda text: []),
    },
    {
        'name': 'untouched-lines',
        'applies': dictionary_merge,
        'normalise': lambda lines, case: replace_cfg(lines, profile_form),
    },
    {
        'name': 'utf16-odd-length',
        'applies': lambda case: odd_files(case) and dictionary_merge(case),
        'normalise': lambda lines, case: replace_cfg(lines, lambda t: without_odd_byte(t, case)),
    },
]


def normalised(lines, case, used):
    for entry in TABLE:
        if entry['applies'](case):
            changed = entry['normalise'](lines, case)
            if changed != lines:
                used.add(entry['name'])
            lines = changed
    return lines


def first_difference(a, b):
    for k in range(max(len(a), len(b))):
        x = a[k] if k < len(a) else '(transcript ends)'
        y = b[k] if k < len(b) else '(transcript ends)'
        if x != y:
            return k, x, y
    return None


def main():
    cases_path, reference_path, other_path = sys.argv[1:4]
    name = sys.argv[4] if len(sys.argv) > 4 else 'other'
    cases = read_cases(cases_path)
    reference = read_transcript(reference_path)
    other = read_transcript(other_path)
    faults = 0
    tabled = {}
    for ident, case in cases.items():
        a, b = reference.get(ident), other.get(ident)
        if a is None or b is None:
            faults += 1
            print('case %s: no transcript from %s' % (ident, 'linux' if a is None else name))
            continue
        if a == b:
            continue
        used = set()
        difference = first_difference(normalised(a, case, used), normalised(b, case, used))
        if difference is None:
            for entry in used:
                tabled[entry] = tabled.get(entry, 0) + 1
            continue
        faults += 1
        if faults <= MAX_REPORTED:
            k, x, y = difference
            # Long lines are shown from a little before their first differing character.
            at = next((i for i, (p, q) in enumerate(zip(x, y)) if p != q), min(len(x), len(y)))
            start = max(0, at - 60)
            print('case %s: line %d differs (from character %d)\n  linux: %r\n  %s: %r' % (
                ident, k + 1, start, x[start:start + 200], name, y[start:start + 200]))
    print('compared %d cases with %s: %d differ outside the table%s' % (
        len(cases), name, faults,
        ''.join('; %s %d' % item for item in sorted(tabled.items()))))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
