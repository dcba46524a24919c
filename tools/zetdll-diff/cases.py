#!/usr/bin/env python3
"""Cases for zetdll-diff: installation folders and call sequences made from seeds, the committed
fuzz inputs, and the regression cases of tests/diff.

  cases.py --seed S --cases N          N cases from seeds S, S+1, ...; each seed gives one case
  cases.py --corpus DIR                one case per input of DIR/<target>/*
  cases.py --regressions DIR           the cases of DIR/*.case, each as written earlier

The stream goes to standard output in the form tools/zetdll-diff/main.cpp reads.
"""
import argparse
import os
import random
import sys

# Every file time a case lays out, unless it says otherwise: 2011-02-14 09:30:00 UTC.
BASE_TIME = 129422682000000000
CATALOGUE = 'cat.txt'
NAMES = ['a', 'b', 'enfr', 'de', 'Dict1', 'x_y', 'other_dics', 'g1', 'A', 'sv\xe9']
GROUPS = ['g1', 'g2', 'G1', 'team', 'a', 'big group']
LANGS = ['fi', 'sv', 'en', 'de', 'fr', 'FI', 'xx']


class Case:
    def __init__(self, ident, string_size=1024):
        self.ident, self.string_size, self.files, self.calls = ident, string_size, [], []

    def file(self, name, data, time=BASE_TIME):
        self.files.append((name, bytes(data), time))

    def call(self, export, *args, flags='-'):
        self.calls.append((export, flags, [bytes(a, 'latin-1') if isinstance(a, str) else a
                                            for a in args]))

    def write(self, out):
        out.write(b'case %s %d\n' % (self.ident.encode(), self.string_size))
        for name, data, time in self.files:
            out.write(b'file %s %d %d\n%s\n' % (name.encode(), len(data), time, data))
        for export, flags, args in self.calls:
            out.write(b'call %s %s %d\n' % (export.encode(), flags.encode(), len(args)))
            for arg in args:
                out.write(b'arg %d\n%s\n' % (len(arg), arg))
        out.write(b'end\n')


def path(name):
    return '%D%%S%' + name


# ---- text in the forms users have ----

def encode(r, text):
    """A text file as a user may have saved it: 8-bit mostly, sometimes UTF-16 (either order,
    perhaps of odd length) or with a UTF-8 mark."""
    form = r.choices(['ansi', 'le', 'be', 'utf8', 'le-odd'], [80, 8, 3, 5, 4])[0]
    if form == 'ansi':
        return text.encode('latin-1')
    if form == 'utf8':
        return b'\xef\xbb\xbf' + text.encode('utf-8')
    data = (b'\xfe\xff' + text.encode('utf-16-be')) if form == 'be' else \
        (b'\xff\xfe' + text.encode('utf-16-le'))
    return data + (b'x' if form == 'le-odd' else b'')


def join_lines(r, lines):
    """Lines with CR LF mostly, LF, lone CR or a mix; the last one perhaps without its end."""
    style = r.choices(['crlf', 'lf', 'cr', 'mixed'], [70, 15, 5, 10])[0]
    ends = {'crlf': ['\r\n'], 'lf': ['\n'], 'cr': ['\r'], 'mixed': ['\r\n', '\n', '\r']}[style]
    text = ''.join(line + r.choice(ends) for line in lines)
    if lines and r.random() < 0.15:
        text = text.rstrip('\r\n')
    return text


def value(r, pool):
    """A name or display name: usual ones, with blanks, quotes, accents, NUL, Ctrl-Z, long."""
    kind = r.randrange(14)
    base = r.choice(pool)
    if kind == 0:
        return ' %s ' % base
    if kind == 1:
        return '"%s"' % base
    if kind == 2:
        return base + r.choice(['\xe9', '\x80', '\x9f', '\xff'])
    if kind == 3:
        return base + r.choice(['\x00x', '\x1a', '\t'])
    if kind == 4:
        return base * r.choice([12, 12, 12, 120, 1100])
    if kind == 5:
        return base.upper()
    if kind == 6:
        return "'%s'" % base
    return base


def header(r, section):
    """A section header as written: plain mostly, with blanks, text after it, unclosed."""
    return r.choices(['[%s]', '[ %s ]', '[%s] junk', '[%s', ' [%s]', '[%s]\x1a'],
                     [85, 4, 4, 2, 3, 2])[0] % section


def ini_lines(r, sections, keys, values):
    """Lines of an INI file: keys before any section, duplicate sections and keys, comments,
    blank lines, lines without "=", a Ctrl-Z line."""
    lines = []
    if r.random() < 0.1:
        lines.append('%s=%s' % (r.choice(keys), value(r, values)))
    for _ in range(r.randrange(1, 5)):
        lines.append(header(r, r.choice(sections)))
        for _ in range(r.randrange(0, 5)):
            kind = r.randrange(20)
            if kind == 0:
                lines.append(';' + value(r, values))
            elif kind == 1:
                lines.append('')
            elif kind == 2:
                lines.append(value(r, values))
            elif kind == 3:
                lines.append('\x1a')
            else:
                form = r.choices(['%s=%s', '%s = %s', ' %s=%s', '%s =%s'], [85, 6, 5, 4])[0]
                lines.append(form % (r.choice(keys), value(r, values)))
    return lines


# ---- the installation folder ----

def groups_ini(r, names):
    lines = []
    for _ in range(r.randrange(0, 7)):
        kind = r.randrange(12)
        group, name = r.choice(GROUPS), r.choice(names)
        if kind == 0:
            lines.append('%s = %s' % (group, name))
        elif kind == 1:
            lines.append('%s=%s%s' % (group, name, r.choice([' ', '  ', '\t'])))
        elif kind == 2:
            lines.append('[%s]' % group)
        elif kind == 3:
            lines.append('%s=%s' % (group.upper(), name.upper()))
        elif kind == 4:
            lines.append(name)
        else:
            lines.append('%s=%s' % (group, name))
    return join_lines(r, lines)


def grnames_ini(r, names):
    return join_lines(r, ini_lines(r, LANGS[:4] + ['LONG_NAMES'], GROUPS + names,
                                   ['Group', 'Ryhm\xe4', 'Gruppe', 'Dictionaries']))


def dictionary_cfg(r, names):
    """A dictionary's own configuration file: [LONG_NAMES] and group sections with dics= lines."""
    lines = []
    for _ in range(r.randrange(1, 4)):
        kind = r.randrange(3)
        if kind == 0:
            lines.append(r.choice(['[LONG_NAMES]', '[long_names]', '[LONG_NAMES] x']))
            for _ in range(r.randrange(1, 5)):
                key = r.choice(['fiTE', 'svTE', 'enTE', 'frTE', 'deTE', 'ente', 'xxTE'])
                lines.append(key + r.choice(['=', ':', ' = ', '']) +
                             value(r, ['Long name', 'Pitk\xe4 nimi', 'Nom']))
        else:
            lines.append(header(r, '.' + r.choice(GROUPS + names)))
            for _ in range(r.randrange(0, 4)):
                kind = r.randrange(8)
                if kind < 4:
                    members = r.sample(names, r.randrange(1, min(4, len(names) + 1)))
                    sep = r.choice([',', ', ', ' ', ',,', '\t'])
                    lines.append(r.choice(['dics=', 'Dics=', 'DICS=', 'dics =']) + sep.join(members))
                elif kind == 4:
                    lines.append(';comment')
                else:
                    lines.append('%s=%s' % (r.choice(LANGS), value(r, ['Name', 'Nimi'])))
    return join_lines(r, lines)


def instdics(r, names):
    lines = [r.choice(['*', '*', '*', '+', '', ' *']) + r.choice(names)
             for _ in range(r.randrange(0, 6))]
    return join_lines(r, lines)


def duvevo_cfg(r, names):
    sections = ['.' + g for g in GROUPS + names] + ['General', '.other_dics']
    return join_lines(r, ini_lines(r, sections, ['Dics', 'dics', 'en', 'fi', 'sv', 'de', 'fr',
                                                 'Other'], names + ['Name', 'x']))


# ---- the catalogue ----

def timestamp(r):
    kind = r.randrange(10)
    if kind == 0:
        return r.choice(['2010-07-04', '20111332-250000', '', '16001231-235959', '2011',
                         '20110214093000', '99991231-235959', 'abcdefgh-ijklmn'])
    return '%04d%02d%02d-%02d%02d%02d' % (r.randrange(1990, 2030), r.randrange(1, 13),
                                          r.randrange(1, 29), r.randrange(24), r.randrange(60),
                                          r.randrange(60))


def catalogue(r, names):
    fields = [r.choice(['Product', ' P ', 'x' * 60, '']) for _ in range(8)]
    fields[5] = r.choice(['12', ' 7', 'x', '12a', '-3', '99999999999'])
    count = r.choices([8, 7, 6, 9], [80, 8, 6, 6])[0]
    lines = ['|'.join(fields[:count])]
    for position in range(r.randrange(0, 12)):
        files = ';'.join('%s@%s' % (r.choice(['f.dat', 'g.idx', 'x' * 30, '', 'h']), timestamp(r))
                         for _ in range(r.randrange(0, 4)))
        parts = [str(r.choice([position, position, 0, 25, 'x'])), value(r, names), files,
                 value(r, ['Display name', 'Sanakirja', 'D' * 120]), r.choice(['1', '2.0', ''])]
        line = ' | '.join(parts[:r.choices([5, 4, 3], [85, 10, 5])[0]])
        kind = r.randrange(30)
        if kind == 0:
            line = line + 'y' * 1000
        elif kind == 1:
            line = line + '\x1a' + line
        elif kind == 2:
            line = line.replace('|', '\x00|', 1)
        lines.append(line)
    text = join_lines(r, lines)
    if r.random() < 0.02:
        text += 'z' * 70000
    return text.encode('latin-1')


def mask(r):
    return ''.join(r.choice('0111') for _ in range(r.randrange(0, 14))) + r.choice(['', 'x', '2'])


def time_text(r):
    return r.choice(['1cb1b53 20664580', '0 0', '', 'x', '1cb1b53', 'ffffffff ffffffff',
                     '1d %x' % r.randrange(1 << 32), '123456789 1', '01cb1b53  20664580 7'])


# ---- the calls ----

# exploreFolder and executeFile are never called: on Windows they open a window or start a
# program on the machine that runs the cases, whatever the path (even without a stack, the empty
# path goes to the shell). They leave no file behind to compare; the frame tests cover their
# stack.
def generated(seed):
    r = random.Random(seed)
    c = Case(str(seed), r.choices([1024, 8192, 16, 3, 1], [80, 10, 5, 3, 2])[0])
    names = r.sample(NAMES, r.randrange(1, 6))
    if r.random() < 0.8:
        c.file('groups.ini', encode(r, groups_ini(r, names)))
    if r.random() < 0.8:
        c.file('grnames.ini', encode(r, grnames_ini(r, names)))
    # Names outside ASCII name no file: on Linux a file name is the text's bytes, on Windows its
    # characters, and the two file systems are not compared here.
    # Nor do two names that differ in letter case only: Windows takes them for one file.
    cfgs = [n for n in names if n.isascii() and n == min(m for m in names if m.lower() == n.lower())
            and r.random() < 0.6]
    for name in cfgs:
        c.file(name + '.cfg', encode(r, dictionary_cfg(r, names)))
    if r.random() < 0.5:
        c.file('instdics.dat', instdics(r, names).encode('latin-1'))
    if r.random() < 0.6:
        c.file('duvevo.cfg', encode(r, duvevo_cfg(r, names)))
    if r.random() < 0.5:
        c.file(CATALOGUE, catalogue(r, names))
    c.file('f.dat', b'data', BASE_TIME + r.randrange(1 << 40))
    folder = r.choices(['%D%', '%D%%S%', '%D%%S%.', ''], [80, 10, 5, 5])[0]
    if c.string_size < 256:
        # The case folder's path has another length on each system, and a string size this
        # small cuts it: the paths are relative to the case folder, the current one.
        folder = r.choice(['.', '.%S%', ''])
    at = path if c.string_size >= 256 else (lambda name: name)
    for _ in range(r.randrange(1, 7)):
        kind = r.choices(['merge', 'list', 'load', 'info', 'files', 'time', 'grant', 'dummy'],
                         [30, 15, 10, 10, 10, 8, 4, 10])[0]
        if kind == 'merge':
            # A name that differs from a file's name in letter case only (up to a NUL, where
            # the name ends, or the string size, which cuts it) would find the file on Windows
            # and not on Linux: the name is then written as the file is.
            name = value(r, names + GROUPS)
            seen = name.split('\0')[0][:max(c.string_size - 1, 0)]
            name = next((n for n in cfgs if n.lower() == seen.lower()), name)
            c.call('updateDuvEvoCfg', folder, name)
        elif kind == 'list':
            listed = [next((f for f in cfgs if f.lower() == n.lower()), n) + '.cfg'
                      for n in r.sample(names, r.randrange(0, len(names) + 1))]
            c.call('updateDuvEvoCfg', folder,
                   '/' + ''.join(n + '/' for n in listed) + r.choice(['', '', 'tail']))
        elif kind == 'load':
            c.call('loadDicInfo', at(r.choice([CATALOGUE, CATALOGUE, 'missing.txt'])))
        elif kind in ('info', 'files'):
            c.call('dicInfo' if kind == 'info' else 'dicFiles', at(CATALOGUE), mask(r),
                   r.choice(['0', '1', '2', '5', '-1', 'x', '', ' 1', '99999999999']),
                   flags=r.choice(['-', '-', '-', 'u']))
        elif kind == 'time':
            c.call('setFileModificationTime', at(r.choice(['f.dat', 'f.dat', 'none', ''])),
                   time_text(r))
        elif kind == 'grant':
            # On Linux the grant adds 0777 to the object's mode, on Windows Everyone to its
            # DACL: only objects of the case folder, which goes away after the case.
            c.call('giveAllPermissions', r.choice([at('f.dat'), '*' + folder, at('none')]))
        else:
            c.call('dummy', *[value(r, names) for _ in range(r.randrange(0, 6))])
    # The way back, drawn from a stream of its own so that the calls above stay those of earlier
    # versions: a dictionary or a list taken out after the merges.
    back = random.Random('remove %d' % seed)
    for _ in range(back.choices([0, 1, 2], [50, 35, 15])[0]):
        if back.random() < 0.6:
            c.call('removeFromDuvEvoCfg', folder, back.choice(names + GROUPS))
        else:
            listed = [n + '.cfg' for n in cfgs if back.random() < 0.5]
            c.call('removeFromDuvEvoCfg', folder, '/' + ''.join(n + '/' for n in listed))
    return c


# ---- the fuzz corpora ----

def parts(data, count):
    pieces = data.split(b'\n----\n', count - 1)
    return pieces + [b''] * (count - len(pieces))


def stays_here(arg):
    """A relative path that never climbs out of the case folder, as the frame target keeps."""
    text = arg[1:] if arg.startswith(b'*') else arg
    if b':' in text or text.startswith((b'/', b'\\')):
        return False
    depth = 0
    for part in text.replace(b'\\', b'/').split(b'/'):
        depth += -1 if part == b'..' else (0 if part in (b'', b'.') else 1)
        if depth < 0:
            return False
    return True


FRAME_EXPORTS = ['loadDicInfo', 'dicInfo', 'dicFiles', 'updateDuvEvoCfg',
                 'setFileModificationTime', 'giveAllPermissions', 'exploreFolder', 'executeFile',
                 'dummy', 'removeFromDuvEvoCfg']
FRAME_FOLDER = [
    ('cat.txt', b'Product|1|Maker|Name|en|12|Title|2011\r\n'
     b'0|enfr|enfr.dic@20110214-093000;enfr.idx@2011|EF|3\r\n1|de|de.dic@19991231-235959|German|4\r\n'),
    ('groups.ini', b'[g]\r\nteam=de\r\n'), ('grnames.ini', b'[en]\r\nteam=Team\r\n'),
    ('de.cfg', b'[LONG_NAMES]\r\nenTE=German\r\n[.x]\r\ndics=de,enfr\r\n'),
    ('instdics.dat', b'*de\r\n*enfr\r\n'), ('f.dat', b'x'), ('d/k', b'')]


def from_corpus(target, name, data):
    c = Case('corpus:%s/%s' % (target, name))
    if target == 'catalogue':
        catalogue_, mask_, indexes = parts(data, 3)
        c.file(CATALOGUE, catalogue_)
        c.call('loadDicInfo', path(CATALOGUE))
        for index in indexes.split(b'\n')[:8] if indexes else []:
            c.call('dicInfo', path(CATALOGUE), mask_, index)
            c.call('dicFiles', path(CATALOGUE), mask_, index)
    elif target == 'groupmerge':
        name_, groups, grnames, own, cfg = parts(data, 5)
        name_ = name_.split(b'\n')[0]
        for stop in b'/\\:\r':
            name_ = name_.split(bytes([stop]))[0]
        if not name_ or b'\0' in name_:
            name_ = b'dict'
        c.file('groups.ini', groups)
        c.file('grnames.ini', grnames)
        if all(32 <= b < 127 and b not in b'*?"<>|' for b in name_) and name_.strip(b'. ') == name_:
            c.file(name_.decode() + '.cfg', own)
        if cfg:
            c.file('duvevo.cfg', cfg)
        for _ in range(1 if cfg else 2):
            c.call('updateDuvEvoCfg', '%D%', name_)
    elif target == 'installedmerge':
        listed, inst, a, b = parts(data, 4)
        if any(bad in listed for bad in (b'..', b':', b'\\')):
            listed = b'a.cfg/b.cfg/'
        c.file('instdics.dat', inst)
        c.file('a.cfg', a)
        c.file('b.cfg', b)
        c.call('updateDuvEvoCfg', '%D%', b'/' + listed)
    elif target == 'ini':
        existing, writes = parts(data, 2)
        if existing:
            c.file('duvevo.cfg', existing)
        # Each write "section|key|value" becomes a group merge that gives the group the value
        # as its English name.
        names = b''
        for line in writes.split(b'\n')[:16]:
            section, _, rest = line.partition(b'|')
            key, _, val = rest.partition(b'|')
            group = section.lstrip(b'.').split(b'\0')[0]
            if group and not group.startswith(b'/'):
                names += b'%s=%s\r\n' % (group, val)
                c.call('updateDuvEvoCfg', '%D%', group)
        c.file('grnames.ini', b'[en]\r\n' + names)
    elif target == 'timetext':
        c.file('f.dat', b'x')
        c.call('setFileModificationTime', path('f.dat'), data.split(b'\0')[0])
    elif target == 'access':
        for name_, content in FRAME_FOLDER:
            c.file(name_, content)
        rest = data.replace(b'#', b'_').replace(b'~', b'_')
        star = rest.startswith(b'*')
        rest = rest[1:] if star else rest
        if stays_here(rest):
            c.call('giveAllPermissions', (b'*' if star else b'') + b'%D%%S%' + rest)
    elif target == 'frame':
        first, _, stack = data.partition(b'\n')
        letters, _, size = first.partition(b' ')
        try:
            c.string_size = min(max(int(size.split()[0]), 1), 8192) if size.split() else 1
        except ValueError:
            c.string_size = 1
        for name_, content in FRAME_FOLDER:
            c.file(name_, content)
        values = stack.split(b'\n')[:64] if stack else []
        values = [v if stays_here(v) else b'.' for v in values]
        for letter in letters[:32].decode('latin-1'):
            index = ord(letter.lower()) - ord('a')
            # The shell exports are left out, as in generated().
            if 0 <= index < len(FRAME_EXPORTS) and FRAME_EXPORTS[index] not in ('exploreFolder', 'executeFile'):
                c.call(FRAME_EXPORTS[index], flags='n' if letter.isupper() else '-')
        # The values go on the stack with the first call, the first value on top.
        if c.calls and values:
            c.calls[0] = c.calls[0][:2] + (values,)
    return c


def corpus_cases(root):
    for target in sorted(os.listdir(root)):
        folder = os.path.join(root, target)
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), 'rb') as f:
                yield from_corpus(target, name, f.read())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--seed', type=int, default=1)
    parser.add_argument('--cases', type=int, default=0)
    parser.add_argument('--corpus')
    parser.add_argument('--regressions')
    args = parser.parse_args()
    out = sys.stdout.buffer
    for seed in range(args.seed, args.seed + args.cases):
        generated(seed).write(out)
    if args.corpus:
        for c in corpus_cases(args.corpus):
            c.write(out)
    if args.regressions:
        for name in sorted(os.listdir(args.regressions)):
            if name.endswith('.case'):
                with open(os.path.join(args.regressions, name), 'rb') as f:
                    out.write(f.read())

if __name__ == '__main__':
    main()
