#!/usr/bin/env python3
"""The peer side of bench/mail.sh: Python's email package lists and decodes every
message of an mbox and writes one JSON line per message, as `vortane-cli
message --json` does (header fields decoded, leaf parts transfer-decoded, text
parts read in the superset of their label).

Usage: mail_python.py MBOX > OUT

The mbox is split at "From " lines that follow an empty line, one message at a
time, so that memory stays bounded by the largest message for Python too.
"""
import email
import email.header
import email.policy
import json
import sys

SUPERSET = {
    'gb2312': 'gb18030', 'gbk': 'gb18030', 'x-gbk': 'gb18030', 'cp936': 'gb18030',
    'euc-cn': 'gb18030', 'gb18030': 'gb18030',
    'big5': 'big5hkscs', 'x-big5': 'big5hkscs', 'cp950': 'big5hkscs', 'big5-hkscs': 'big5hkscs',
    'hz-gb-2312': 'hz', 'unicode-1-1-utf-7': 'utf-7',
}


def header_text(value):
    try:
        return str(email.header.make_header(email.header.decode_header(value)))
    except (LookupError, UnicodeError, email.errors.HeaderParseError):
        return value


def text_of(payload, label):
    codec = SUPERSET.get(label, label) or 'utf-8'
    try:
        return payload.decode(codec, 'replace')
    except LookupError:
        return payload.decode('utf-8', 'replace')


def read_message(raw):
    msg = email.message_from_bytes(raw, policy=email.policy.compat32)
    headers = [{'name': k, 'value': header_text(str(v))} for k, v in msg.items()]
    parts = []
    for part in msg.walk():
        if part.is_multipart():
            continue
        payload = part.get_payload(decode=True)
        if not isinstance(payload, bytes):
            payload = b''
        content_type = part.get_content_type()
        label = part.get_content_charset()
        parts.append({
            'index': len(parts) + 1,
            'content_type': content_type,
            'declared_charset': label,
            'transfer_encoding': part.get('Content-Transfer-Encoding'),
            'filename': part.get_filename(),
            'size': len(payload),
            'text': text_of(payload, label) if content_type.startswith('text/') else None,
        })
    return {'headers': headers, 'parts': parts}


def messages(path):
    with open(path, 'rb') as f:
        lines, previous_empty, first = [], False, True
        for line in f:
            if line.startswith(b'From ') and (first or previous_empty):
                if not first:
                    if lines and lines[-1] in (b'\n', b'\r\n'):
                        lines.pop()
                    yield b''.join(lines)
                lines, first, previous_empty = [], False, False
                continue
            lines.append(line)
            previous_empty = line in (b'\n', b'\r\n')
        if not first:
            if lines and lines[-1] in (b'\n', b'\r\n'):
                lines.pop()
            yield b''.join(lines)


def main():
    out = sys.stdout
    for raw in messages(sys.argv[1]):
        out.write(json.dumps(read_message(raw), ensure_ascii=False) + '\n')


if __name__ == '__main__':
    main()
