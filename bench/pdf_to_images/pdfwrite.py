"""A small PDF writer for the scripts that make test and benchmark documents:
numbered objects, streams (optionally deflated), and a file laid out with its
cross-reference table, whose offsets the damaging scripts may then spoil.
"""
import zlib


def escape(text):
    return text.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")


def as_bytes(body):
    return body if isinstance(body, bytes) else body.encode("latin-1")


class PdfFile:
    def __init__(self):
        self.objects = []  # bodies, object number = index + 1

    def reserve(self):
        self.objects.append(None)
        return len(self.objects)

    def set(self, number, body):
        self.objects[number - 1] = as_bytes(body)
        return number

    def add(self, body):
        return self.set(self.reserve(), body)

    def add_stream(self, entries, data, deflate=False):
        data = as_bytes(data)
        if deflate:
            data = zlib.compress(data, 6)
            entries += " /Filter /FlateDecode"
        return self.add(b"<< %s /Length %d >>\nstream\n" % (as_bytes(entries), len(data)) + data + b"\nendstream")

    def add_pages(self, page_bodies):
        """Adds a page tree over pages given as functions of the tree's
        number, returning the tree's number."""
        tree = self.reserve()
        kids = [self.add(body(tree)) for body in page_bodies]
        self.set(tree, "<< /Type /Pages /Kids [%s] /Count %d >>" % (" ".join("%d 0 R" % k for k in kids), len(kids)))
        return tree

    def layout(self, root):
        """The file's bytes, the offset of each object and of the table."""
        out = bytearray(b"%PDF-1.5\n%\xe2\xe3\xcf\xd3\n")
        offsets = []
        for number, body in enumerate(self.objects, 1):
            offsets.append(len(out))
            out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
        xref = len(out)
        out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(self.objects) + 1)
        out += b"".join(b"%010d 00000 n \n" % offset for offset in offsets)
        out += b"trailer\n<< /Size %d /Root %d 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(self.objects) + 1, root, xref)
        return bytes(out), offsets, xref

    def tobytes(self, root):
        return self.layout(root)[0]


def catalog(pdf, pages_tree):
    return pdf.add("<< /Type /Catalog /Pages %d 0 R >>" % pages_tree)
