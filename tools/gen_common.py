"""What the table generators in tools/ share: the version of a Debian
package for a generated file's provenance, python3-jieba's word list, and
writing the generated file or, with --check, comparing it with what the
sources give."""

import subprocess
import sys


def package_version(package, required_by=None):
    """The installed version of `package`. When it is missing: "unknown", or,
    given the name of the script that needs it, the script ends (exit 2)."""
    try:
        out = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package],
                             capture_output=True, text=True, check=True)
        version = out.stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        version = ""
    if version:
        return version
    if required_by:
        print(f"{required_by}: package {package} is not installed (apt-get install {package})",
              file=sys.stderr)
        sys.exit(2)
    return "unknown"


def read_jieba(path, script):
    """(word, count) rows of python3-jieba's word list (dict.txt: words with
    their counts in a large corpus of simplified Chinese); when it cannot be
    read, the script ends (exit 2)."""
    words = []
    try:
        with open(path, encoding="utf-8") as stream:
            for line in stream:
                fields = line.split()
                if len(fields) >= 2 and fields[1].isdigit():
                    words.append((fields[0], int(fields[1])))
    except OSError as error:
        print(f"{script}: {path}: {error.strerror} (apt-get install python3-jieba)",
              file=sys.stderr)
        sys.exit(2)
    return words


def check_file(path, text, script, tables_of=lambda text: text):
    """0 when the file at `path` holds `text`, 1 (said on standard error) when
    it differs. With `tables_of`, only what it keeps of each text is compared,
    and a difference elsewhere (the sources' versions) is only said."""
    try:
        with open(path, encoding="utf-8") as old:
            current = old.read()
    except OSError as error:
        print(f"{script}: {path}: {error.strerror}", file=sys.stderr)
        sys.exit(2)
    if tables_of(current) != tables_of(text):
        print(f"{path}: differs from what the sources give", file=sys.stderr)
        return 1
    if current != text:
        print(f"{path}: same tables; the sources' versions differ from its header",
              file=sys.stderr)
    return 0


def write_file(path, text):
    """Writes the generated file."""
    with open(path, "w", encoding="utf-8") as new:
        new.write(text)
