#!/usr/bin/env python3
"""Writes Corvexa's demo directory trees as LDIF.

    make_demo_tree.py [--out DIR]
        writes the two demo trees CORP.ldif and LEGACY.ldif into DIR
        (default: data/demo next to this script's folder). The committed files in data/demo are
        exactly this output; tests/e2e/demo_data_current.sh checks that.

    make_demo_tree.py --large --users N --workstations M --out DIR [--tree NAME] [--seed S]
                      [--database]
        writes one large tree NAME.ldif (default BIG) with N users and M workstations spread over an
        OU hierarchy (regions, sites, departments; a few hundred objects per container), every user
        logged in at 0 to 2 workstations, and copies core.schema and workstation.schema next to it
        so that DIR is a complete directory folder. With --database it also writes NAME.lst, the
        workstation database a build of the whole tree would write (one CR LF record per
        workstation with its first two addresses as text).

How the program reads a folder: one <TREE>.ldif per tree, DNs without the tree (o=ACME sits directly
below the tree root), parents before children, the order of the file is the directory order.
Network addresses are eDirectory's tagged data "type#bytes" (written base64): type 0 IPX (network
4 bytes, node 6, socket 2), type 1 IP (IPv4 4 bytes), type 9 TCP (port 2 bytes, IPv4 4 bytes).

Standard library only; the output depends on nothing but the arguments (the large tree uses a
random generator with a fixed seed).
"""

from __future__ import annotations

import argparse
import base64
import math
import os
import random
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, "..", "data", "demo"))
SCHEMA_DIR = DEFAULT_OUT

# --------------------------------------------------------------------------------------------
# LDIF writing
# --------------------------------------------------------------------------------------------


def is_safe_string(s: str) -> bool:
    """True when s may be written as a plain LDIF value (RFC 2849 SAFE-STRING).

    Not safe: a leading blank, ':' or '<', a trailing blank (easily lost), anything outside ASCII,
    NUL, CR and LF."""
    if not s:
        return True
    if s[0] in " :<" or s[-1] == " ":
        return False
    return s.isascii() and "\n" not in s and "\r" not in s and "\0" not in s


def attr_line(name: str, value: str | bytes) -> str:
    """One 'name: value' line; base64 ('name:: ...') for binary and unsafe values.

    An empty value is written as 'name:' with nothing after it."""
    if isinstance(value, bytes):
        if not value:
            return name + ":"
        return name + ":: " + base64.b64encode(value).decode("ascii")
    if not value:
        return name + ":"
    if is_safe_string(value):
        return name + ": " + value
    return name + ":: " + base64.b64encode(value.encode("utf-8")).decode("ascii")


def escape_rdn_value(v: str) -> str:
    """RFC 4514 escaping of an attribute value inside a DN."""
    out = []
    for i, ch in enumerate(v):
        if ch in ',+"\\<>;=' or (i == 0 and ch in "# ") or (i == len(v) - 1 and ch == " "):
            out.append("\\" + ch)
        else:
            out.append(ch)
    return "".join(out)


def rdn(attr: str, value: str) -> str:
    return attr + "=" + escape_rdn_value(value)


def child(parent_dn: str, attr: str, value: str) -> str:
    return rdn(attr, value) + ("," + parent_dn if parent_dn else "")


class Ldif:
    """Entries in directory order; refuses an entry whose parent is not yet there."""

    def __init__(self, header: list[str]):
        self.header = header
        self.chunks: list[str] = []
        self.dns: set[str] = set()

    def add(self, dn: str, classes: list[str], attrs: list[tuple[str, str | bytes]]) -> str:
        parent = dn.split(",", 1)[1] if "," in dn else ""
        if parent and parent.lower() not in self.dns:
            raise ValueError(f"parent of {dn} not written yet")
        if dn.lower() in self.dns:
            raise ValueError(f"duplicate entry {dn}")
        self.dns.add(dn.lower())
        lines = [attr_line("dn", dn)]
        lines += [attr_line("objectClass", c) for c in classes]
        lines += [attr_line(n, v) for n, v in attrs]
        self.chunks.append("\n".join(lines) + "\n\n")
        return dn

    def write(self, path: str) -> None:
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write("".join("# " + h + "\n" if h else "#\n" for h in self.header))
            f.write("\n")
            f.write("".join(self.chunks))


# --------------------------------------------------------------------------------------------
# Network addresses (tagged data) and their text form, as the program renders and matches them
# --------------------------------------------------------------------------------------------

NCP_PORT = 524
WS_SOCKET = 0x4005  # socket of a workstation's own stored IPX address
LOGIN_SOCKET = 0x4003  # socket of a user's IPX login connection (differs: only the node is matched)


def ipx(net: int, node: int, socket: int) -> bytes:
    return b"0#" + net.to_bytes(4, "big") + node.to_bytes(6, "big") + socket.to_bytes(2, "big")


def tcp(ipv4: str, port: int) -> bytes:
    return b"9#" + port.to_bytes(2, "big") + bytes(int(p) for p in ipv4.split("."))


def ip(ipv4: str) -> bytes:
    return b"1#" + bytes(int(p) for p in ipv4.split("."))


def render(raw: bytes) -> str:
    """Text form of a tagged address (mirror of cvx::RenderNetworkAddress, for the self-check)."""
    if not raw:
        return ""
    t, b = raw.split(b"#", 1)
    if t == b"0":
        return f"IPX {b[0:4].hex().upper()}:{b[4:10].hex().upper()}:{b[10:12].hex().upper()}"
    if t == b"1":
        return "TCP " + ".".join(str(x) for x in b[0:4])
    if t == b"9":
        return "TCP " + ".".join(str(x) for x in b[2:6])
    raise ValueError(raw)


def address_key(text: str) -> str | None:
    """The address key the program takes from a login address (the node field for IPX)."""
    tag = text.strip()[:3]
    if tag == "IPX":
        k = text.split(" ", 1)[1] if " " in text else text
        k = k.split(":", 1)[1] if ":" in k else k
        return k.split(":", 1)[0]
    if tag == "TCP":
        return text.split(" ", 1)[1] if " " in text else ""
    return None


# --------------------------------------------------------------------------------------------
# The demo trees
# --------------------------------------------------------------------------------------------

USER_CLASSES = ["top", "person", "organizationalPerson", "inetOrgPerson"]
WS_CLASSES = ["top", "workstation"]
NOT_LOGGED_IN = "not logged in"  # one empty networkAddress value
NO_ATTRIBUTE = "no attribute"  # no networkAddress attribute at all


class Site:
    """One network segment: an IPX network number and an IPv4 /24."""

    def __init__(self, ipx_net: int, ip_prefix: str):
        self.ipx_net = ipx_net
        self.ip_prefix = ip_prefix


class DemoTree:
    """Builds a demo tree from small declarations and checks its logins against its workstations."""

    OUIS = [0x00A0C9, 0x0060B0, 0x00104B]  # Intel, HP, 3Com

    def __init__(self, name: str, description: str, domain: str):
        self.name = name
        self.domain = domain
        self.ldif = Ldif([
            f"Demo tree {name}: {description}.",
            "Written by tools/make_demo_tree.py; do not edit by hand: change the generator and",
            "rerun it (tests/e2e/demo_data_current.sh checks that this file is its output).",
        ])
        self.ws: dict[str, dict] = {}  # name -> dn, addresses, site, node, ipv4 ...
        self.ws_order: list[str] = []
        self.expect: list[tuple[str, list[tuple[str, str | None]]]] = []  # user dn, (text, ws)
        self.last_logged: dict[str, str] = {}
        self.login_clock = 0

    # containers ---------------------------------------------------------------------------
    def container(self, parent: str, kind: str, value: str, **attrs: str) -> str:
        cls = {"o": "organization", "ou": "organizationalUnit", "c": "country"}[kind]
        return self.ldif.add(child(parent, kind, value), ["top", cls],
                             [(kind, value)] + [(k, v) for k, v in attrs.items()])

    def server(self, parent: str, cn: str, description: str, addrs: list[bytes]) -> str:
        return self.ldif.add(child(parent, "cn", cn), ["top", "ncpServer"],
                             [("cn", cn), ("description", description)]
                             + [("networkAddress", a) for a in addrs]
                             + [("version", "5.70.06")])

    # workstations -------------------------------------------------------------------------
    def workstation(self, parent: str, cn: str, site: Site, host: int, layout: str, os_name: str,
                    description: str, oui: int = 0) -> None:
        """layout: the wmNetworkAddress values, in order:
        'ipx+tcp' (most), 'tcp+ipx', 'ipx', 'tcp', 'ipx+ip' (IP stored as type 1),
        'ipx+tcp+ip' (three values: a second network card), 'none' (never registered)."""
        # node: vendor prefix, the segment's network number (low 16 bits), the host number
        node = (self.OUIS[oui] << 24) | ((site.ipx_net & 0xFFFF) << 8) | host
        ipv4 = f"{site.ip_prefix}.{100 + host}"
        forms = {
            "ipx": ipx(site.ipx_net, node, WS_SOCKET),
            "tcp": tcp(ipv4, 0),
            "ip": ip(ipv4),
        }
        parts = [] if layout == "none" else layout.split("+")
        addrs = [forms[p] for p in parts]
        if parts[2:] == ["ip"]:  # the second card has its own IPv4 address
            addrs[2] = ip(f"{site.ip_prefix}.{200 + host}")
        self.ws[cn] = {
            "dn": child(parent, "cn", cn), "addrs": addrs, "site": site, "node": node,
            "ipv4": ipv4, "parts": parts, "os": os_name, "description": description,
        }
        self.ws_order.append(cn)

    def write_workstations(self, names: list[str]) -> None:
        for cn in names:
            w = self.ws[cn]
            attrs: list[tuple[str, str | bytes]] = [("cn", cn), ("description", w["description"])]
            attrs += [("wmNetworkAddress", a) for a in w["addrs"]]
            attrs.append(("wmOperatingSystem", w["os"]))
            if cn in self.last_logged:
                attrs.append(("wmUserLastLogged", self.last_logged[cn]))
            self.ldif.add(w["dn"], WS_CLASSES, attrs)

    # users --------------------------------------------------------------------------------
    def login(self, how: str, ws: str, socket: int = LOGIN_SOCKET) -> tuple[bytes, str]:
        w = self.ws[ws]
        if how == "ipx":
            assert "ipx" in w["parts"], ws
            return ipx(w["site"].ipx_net, w["node"], socket), ws
        assert "tcp" in w["parts"] or "ip" in w["parts"], ws
        return tcp(w["ipv4"], NCP_PORT), ws

    def user(self, parent: str, cn: str, given: str, sn: str, title: str, phones: list[str],
             logins: list[tuple[bytes, str | None]] | str, description: str = "",
             full_name: str = "") -> str:
        """logins: (address, workstation name or None when it is in no database) per connection,
        or NOT_LOGGED_IN / NO_ATTRIBUTE."""
        dn = child(parent, "cn", cn)
        full = full_name or f"{given} {sn}"
        attrs: list[tuple[str, str | bytes]] = [("cn", cn), ("sn", sn), ("givenName", given),
                                                ("fullName", full), ("title", title)]
        attrs += [("telephoneNumber", p) for p in phones]
        attrs.append(("mail", f"{cn.lower()}@{self.domain}"))
        attrs.append(("uid", cn.lower()))
        if description:
            attrs.append(("description", description))
        if logins == NOT_LOGGED_IN:
            attrs.append(("networkAddress", b""))
        elif logins != NO_ATTRIBUTE:
            attrs += [("networkAddress", a) for a, _ in logins]
            self.login_clock += 1
            minute = 7 * self.login_clock
            attrs.append(("loginTime", f"20240311{7 + minute // 60:02d}{minute % 60:02d}15Z"))
            self.expect.append((dn, [(render(a), w) for a, w in logins]))
            for _, w in logins:
                if w is not None:
                    self.last_logged.setdefault(w, dn)
        self.ldif.add(dn, USER_CLASSES, attrs)
        return dn

    def alias(self, parent: str, cn: str, target: str) -> str:
        return self.ldif.add(child(parent, "cn", cn), ["top", "alias"],
                             [("cn", cn), ("aliasedObjectName", target)])

    # self-check ---------------------------------------------------------------------------
    def check_logins(self) -> None:
        """Every login resolves, through a database of all workstations in file order, to the
        workstation it was made for, matched as the program matches database records."""
        records = []
        for cn in self.ws_order:
            w = self.ws[cn]
            if not w["addrs"]:
                continue
            texts = [render(a) for a in w["addrs"][:2]] + [""]
            records.append((cn, (" " + texts[0] + texts[1]).lower()))
        for dn, logins in self.expect:
            for text, want in logins:
                key = address_key(text)
                if key == "000000000001":
                    assert want is None, (dn, text)
                    continue
                got = next((cn for cn, m in records if key.lower() in m), None)
                if got != want:
                    raise AssertionError(f"{dn}: login {text} finds {got}, meant {want}")


def build_corp() -> DemoTree:
    t = DemoTree("CORP", "ACME Corporation with its German subsidiary; remote management "
                 "schema extension present", "acme.example")
    # One IPX network and one IPv4 /24 per container of workstations.
    sales, it, hr = Site(0x1001, "10.1.1"), Site(0x1002, "10.1.2"), Site(0x1003, "10.1.3")
    payroll = Site(0x1031, "10.1.31")
    field, north = Site(0x1004, "10.1.4"), Site(0x1041, "10.1.41")
    de, muc = Site(0x4901, "10.49.1"), Site(0x4902, "10.49.2")
    nt, w2k, xp, w98 = "Windows NT 4.0", "Windows 2000", "Windows XP", "Windows 98"

    acme = t.container("", "o", "ACME", description="ACME Corporation", l="Springfield",
                       telephoneNumber="+1 555 0100")
    t.server(acme, "FS1", "Main file server with the remote management programs",
             [ipx(0x0000000A, 1, 0x0451), tcp("10.1.0.11", NCP_PORT)])
    t.server(acme, "FS2", "Second file server",
             [ipx(0x0000000B, 1, 0x0451), tcp("10.1.0.12", NCP_PORT)])

    # Workstations are declared first (the users' logins refer to them) and written after the
    # users of their container.
    ou_sales = child(acme, "ou", "SALES")
    for i, (layout, os_name, desc) in enumerate([
            ("ipx+tcp", nt, "Sales desk 1"), ("ipx+tcp", nt, "Sales desk 2"),
            ("ipx+tcp", w2k, "Sales desk 3"), ("ipx+tcp", w2k, "Sales desk 4"),
            ("tcp", xp, "Sales desk 5, TCP/IP only"), ("ipx", w98, "Sales desk 6, IPX only"),
            ("ipx+tcp", xp, "Sales meeting room"), ("tcp+ipx", xp, "Sales desk 8")], start=1):
        t.workstation(ou_sales, f"WS{i:02d}", sales, i, layout, os_name, desc, oui=i % 3)
    ou_it = child(acme, "ou", "IT")
    ou_it_ws = child(ou_it, "ou", "Workstation")
    for i, (layout, os_name, desc) in enumerate([
            ("ipx+tcp", w2k, "Administrator's workstation"), ("ipx+tcp", w2k, "Help desk 1"),
            ("ipx+tcp+ip", w2k, "Test bench, two network cards"), ("tcp", xp, "Help desk 2"),
            ("ipx+ip", nt, "Build machine, IP stored as type 1"), ("ipx+tcp", w2k, "Help desk 3"),
            ("ipx+tcp", xp, "Training room 1"), ("ipx", nt, "Old inventory PC, IPX only"),
            ("ipx+tcp", xp, "Training room 2"), ("ipx+tcp", xp, "Spare"),
            ("none", xp, "New, not yet registered: no network address")], start=1):
        t.workstation(ou_it_ws, f"IT{i:02d}", it, i, layout, os_name, desc, oui=(i + 1) % 3)
    ou_hr = child(acme, "ou", "HR")
    ou_hr_ws = child(ou_hr, "ou", "Workstations")
    for i, layout in enumerate(["ipx+tcp", "ipx+tcp", "ipx+tcp", "tcp", "ipx+tcp"], start=1):
        t.workstation(ou_hr_ws, f"HR{i:02d}", hr, i, layout, w2k, f"Human resources desk {i}",
                      oui=2)
    ou_pay = child(ou_hr, "ou", "PAYROLL")
    for i in (1, 2):
        t.workstation(ou_pay, f"PAY{i:02d}", payroll, i, "ipx+tcp", xp, f"Payroll desk {i}")
    ou_field = child(acme, "ou", "Field Service")
    t.workstation(ou_field, "PC 12", field, 12, "ipx+tcp", w2k, "Dispatch PC, name with a blank")
    for i, layout in enumerate(["ipx+tcp", "tcp", "ipx+tcp"], start=1):
        t.workstation(ou_field, f"FSV{i:02d}", field, i, layout, xp, f"Field service desk {i}",
                      oui=1)
    ou_north = child(ou_field, "ou", "North")
    for i, layout in enumerate(["ipx+tcp", "tcp", "tcp", "ipx+tcp"], start=1):
        t.workstation(ou_north, f"NB{i:02d}", north, i, layout, xp, f"Notebook, north region {i}",
                      oui=1)
    c_de = child("", "c", "DE")
    o_de = child(c_de, "o", "ACMEDE")
    for i, layout in enumerate(["ipx+tcp", "ipx+tcp", "ipx+tcp", "tcp"], start=1):
        t.workstation(o_de, f"DE{i:02d}", de, i, layout, w2k, f"Arbeitsplatz Frankfurt {i}")
    ou_muc = child(o_de, "ou", "MUENCHEN")
    for i, layout in enumerate(["ipx+tcp", "ipx+tcp"], start=1):
        t.workstation(ou_muc, f"MUC{i:02d}", muc, i, layout, xp, f"Arbeitsplatz München {i}")

    # The logins of this tree, by how they resolve.
    unknown_laptop = ipx(sales.ipx_net, 0x0060B00F3C21, LOGIN_SOCKET)  # a laptop in no database
    via_fs1 = ipx(0x0000000A, 1, 0x4007)  # a connection through the server: node 000000000001

    t.container(acme, "ou", "SALES", description="Sales")
    t.user(ou_sales, "JSMITH", "John", "Smith", "Sales Manager",
           ["+1 555 0101", "+1 555 0102", "+1 555 0199"], [t.login("ipx", "WS01")],
           "Logged in at WS01; three telephone numbers")
    t.user(ou_sales, "MMILLER", "Mary", "Miller", "Account Manager", ["+1 555 0103"],
           [t.login("ipx", "WS02"), t.login("tcp", "WS03")], "Logged in at WS02 and WS03")
    t.user(ou_sales, "BJONES", "Bob", "Jones", "Sales Representative", ["+1 555 0104"],
           [t.login("ipx", "WS04", 0x4003), t.login("ipx", "WS04", 0x4004)],
           "Logged in twice at WS04")
    t.user(ou_sales, "AWHITE", "Alice", "White", "Sales Assistant", ["+1 555 0105"], NOT_LOGGED_IN,
           "Not logged in")
    t.user(ou_sales, "KBROWN", "Kevin", "Brown", "Sales Trainee", ["+1 555 0106"], NO_ATTRIBUTE,
           "Never logged in: no network address attribute")
    t.user(ou_sales, "LGARCIA", "Luis", "Garcia", "Sales Representative", ["+1 555 0107"],
           [(unknown_laptop, None)], "Logged in at a laptop that is in no workstation database")
    t.user(ou_sales, "TCLARK", "Tom", "Clark", "Sales Representative", ["+1 555 0108"],
           [t.login("tcp", "WS05")], "Logged in at WS05 over TCP/IP")
    t.user(ou_sales, "RMOORE", "Rachel", "Moore", "Key Account Manager", ["+1 555 0109"],
           [t.login("ipx", "WS08")], "Logged in at WS08 over IPX, its second stored address")
    t.write_workstations([f"WS{i:02d}" for i in range(1, 9)])

    t.container(acme, "ou", "IT", description="Information Technology")
    t.user(ou_it, "PADAMS", "Peter", "Adams", "Network Administrator", ["+1 555 0201"],
           [t.login("ipx", "IT01"), t.login("tcp", "IT02"), t.login("ipx", "IT06")],
           "Logged in at IT01, IT02 and IT06")
    t.user(ou_it, "RWILSON", "Rita", "Wilson", "Help Desk", ["+1 555 0202"],
           [t.login("tcp", "IT04")])
    t.user(ou_it, "SLEE", "Susan", "Lee", "Help Desk", ["+1 555 0203"], NOT_LOGGED_IN)
    t.user(ou_it, "DTAYLOR", "David", "Taylor", "Build Engineer", ["+1 555 0204"],
           [t.login("tcp", "IT05")], "Logged in over TCP at IT05, which stores its IP as type 1")
    t.user(ou_it, "CWALKER", "Chris", "Walker", "Test Engineer", ["+1 555 0205"],
           [t.login("ipx", "IT03")], "Logged in at IT03, which has three addresses")
    t.user(ou_it, "BACKUPSVC", "Backup", "Service", "Service Account", [], [(via_fs1, None)],
           "Connected through the server only: IPX node 000000000001",
           full_name="Backup Service")
    t.container(ou_it, "ou", "Workstation", description="Workstations of IT")
    t.write_workstations([f"IT{i:02d}" for i in range(1, 12)])

    t.container(acme, "ou", "HR", description="Human Resources")
    t.user(ou_hr, "EMARTIN", "Emma", "Martin", "HR Manager", ["+1 555 0301"],
           [t.login("ipx", "HR01")])
    t.user(ou_hr, "NTHOMPSON", "Nancy", "Thompson", "Recruiter", ["+1 555 0302"],
           [t.login("tcp", "HR02")])
    t.user(ou_hr, "GHARRIS", "George", "Harris", "HR Assistant", ["+1 555 0303"],
           [(via_fs1, None), t.login("ipx", "HR03")],
           "A connection through FS1 (node 000000000001), then HR03")
    t.user(ou_hr, "SHALL", "Sarah", "Hall", "Trainer", ["+1 555 0304"], [t.login("tcp", "HR04")])
    t.alias(ou_hr, "JOHN", child(ou_sales, "cn", "JSMITH"))
    t.container(ou_hr, "ou", "Workstations", description="Workstations of HR")
    t.write_workstations([f"HR{i:02d}" for i in range(1, 6)])
    t.container(ou_hr, "ou", "PAYROLL", description="Payroll, below HR")
    t.user(ou_pay, "JYOUNG", "Julia", "Young", "Payroll Clerk", ["+1 555 0311"],
           [t.login("ipx", "PAY01")])
    t.user(ou_pay, "MKING", "Mark", "King", "Payroll Manager", ["+1 555 0312"],
           [t.login("ipx", "PAY02"), t.login("tcp", "PAY02")],
           "Logged in twice at PAY02, once over IPX and once over TCP")
    t.write_workstations(["PAY01", "PAY02"])

    t.container(acme, "ou", "Field Service", description="Field Service, a name with a blank")
    t.user(ou_field, "FWRIGHT", "Frank", "Wright", "Dispatcher", ["+1 555 0401"],
           [t.login("ipx", "PC 12")], "Logged in at PC 12")
    t.user(ou_field, "OSCOTT", "Olivia", "Scott", "Field Engineer", ["+1 555 0402"],
           [t.login("tcp", "FSV02")])
    t.user(ou_field, "JGREEN", "Jack", "Green", "Field Engineer", ["+1 555 0403"],
           [t.login("tcp", "FSV01")])
    t.write_workstations(["PC 12", "FSV01", "FSV02", "FSV03"])
    t.container(ou_field, "ou", "North", description="Field Service, north region")
    t.user(ou_north, "PHILL", "Paul", "Hill", "Field Engineer", ["+1 555 0411"],
           [t.login("ipx", "NB01")])
    t.user(ou_north, "ABAKER", "Anna", "Baker", "Field Engineer", ["+1 555 0412"],
           [t.login("tcp", "NB02"), t.login("tcp", "NB03")], "Logged in at NB02 and NB03 over TCP")
    t.user(ou_north, "RNELSON", "Ryan", "Nelson", "Regional Manager", ["+1 555 0413"],
           [t.login("ipx", "NB04")])
    t.write_workstations([f"NB{i:02d}" for i in range(1, 5)])

    t.container("", "c", "DE", description="Germany")
    t.container(c_de, "o", "ACMEDE", description="ACME Deutschland GmbH", l="Frankfurt am Main")
    t.user(o_de, "HMUELLER", "Hans", "Müller", "Geschäftsführer", ["+49 69 1234 0"],
           [t.login("ipx", "DE01")])
    t.user(o_de, "KSCHMIDT", "Klaus", "Schmidt", "Vertrieb", ["+49 69 1234 11"],
           [t.login("tcp", "DE02")])
    t.user(o_de, "JSCHAEFER", "Jürgen", "Schäfer", "IT-Betreuung", ["+49 69 1234 12"],
           [t.login("ipx", "DE03"), t.login("tcp", "DE04")])
    t.write_workstations([f"DE{i:02d}" for i in range(1, 5)])
    t.container(o_de, "ou", "MUENCHEN", description="Niederlassung München")
    t.user(ou_muc, "ABAUER", "Anja", "Bauer", "Vertrieb", ["+49 89 5678 0"],
           [t.login("tcp", "MUC01")])
    t.write_workstations(["MUC01", "MUC02"])

    # Every declared workstation is written once, after the parents of all of them exist.
    assert sum(1 for c in t.ldif.chunks if "objectClass: workstation\n" in c) == len(t.ws_order)
    t.check_logins()
    return t


def build_legacy() -> DemoTree:
    t = DemoTree("LEGACY", "an older tree, IPX only, without the remote management schema "
                 "extension", "oldco.example")
    admin, plant = Site(0x2001, "192.168.10"), Site(0x2002, "192.168.20")
    oldco = t.container("", "o", "OLDCO", description="Old Company Ltd.")
    t.server(oldco, "FS3", "File server of the old tree", [ipx(0x0000000C, 1, 0x0451)])
    ou_admin = child(oldco, "ou", "ADMIN")
    ou_plant = child(oldco, "ou", "PLANT")
    t.workstation(ou_admin, "ADM01", admin, 1, "ipx", "Windows 95", "Administration 1")
    t.workstation(ou_admin, "ADM02", admin, 2, "ipx+tcp", "Windows NT 4.0", "Administration 2")
    for i in (1, 2, 3):
        t.workstation(ou_plant, f"PLT{i:02d}", plant, i, "ipx", "Windows 95", f"Plant floor {i}",
                      oui=2)
    t.container(oldco, "ou", "ADMIN", description="Administration")
    t.user(ou_admin, "JSMITH", "John", "Smith", "Administrator", ["+1 555 0900"],
           [t.login("ipx", "ADM01")], "Same name as in tree CORP")
    t.user(ou_admin, "HFORD", "Henry", "Ford", "Accountant", ["+1 555 0901"],
           [t.login("ipx", "ADM02")])
    t.write_workstations(["ADM01", "ADM02"])
    t.container(oldco, "ou", "PLANT", description="Plant")
    t.user(ou_plant, "IREED", "Ian", "Reed", "Foreman", ["+1 555 0911"], [t.login("ipx", "PLT01")])
    t.user(ou_plant, "JWARD", "Jane", "Ward", "Planner", ["+1 555 0912"], NOT_LOGGED_IN)
    t.user(ou_plant, "KPRICE", "Karl", "Price", "Shift Leader", ["+1 555 0913"],
           [t.login("ipx", "PLT02"), t.login("ipx", "PLT03")])
    t.write_workstations(["PLT01", "PLT02", "PLT03"])
    t.check_logins()
    return t


def write_demo(out: str) -> None:
    os.makedirs(out, exist_ok=True)
    for tree in (build_corp(), build_legacy()):
        tree.ldif.write(os.path.join(out, tree.name + ".ldif"))


# --------------------------------------------------------------------------------------------
# The large tree (benchmarks)
# --------------------------------------------------------------------------------------------

REGIONS = {
    "AMERICAS": ["NEWYORK", "CHICAGO", "DALLAS", "TORONTO", "BOSTON", "SEATTLE", "DENVER"],
    "EMEA": ["LONDON", "PARIS", "FRANKFURT", "MADRID", "MILAN", "STOCKHOLM", "DUBLIN", "VIENNA",
             "ZURICH", "WARSAW", "PRAGUE"],
    "APAC": ["TOKYO", "SYDNEY", "SINGAPORE", "SEOUL", "MUMBAI", "OSAKA", "MANILA", "JAKARTA",
             "AUCKLAND"],
    "LATAM": ["SAOPAULO", "MEXICO", "BOGOTA", "LIMA", "SANTIAGO"],
}
DEPTS = ["SALES", "IT", "HR", "FINANCE", "LOGISTICS", "PRODUCTION", "Customer Service",
         "RESEARCH"]
GIVEN = ["James", "Mary", "John", "Patricia", "Robert", "Jennifer", "Michael", "Linda", "William",
         "Elizabeth", "David", "Barbara", "Richard", "Susan", "Joseph", "Jessica", "Thomas",
         "Sarah", "Charles", "Karen", "Daniel", "Nancy", "Matthew", "Lisa", "Anthony", "Betty",
         "Mark", "Sandra", "Paul", "Ashley", "Steven", "Emily", "Andrew", "Donna", "Kenneth",
         "Michelle", "Joshua", "Carol", "Kevin", "Amanda", "Brian", "Melissa", "George",
         "Deborah", "Oliver", "Hannah", "Lukas", "Sofia", "Hiroshi", "Yuki", "Pierre", "Chloe"]
SURNAMES = ["Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller", "Davis",
            "Rodriguez", "Martinez", "Hernandez", "Lopez", "Gonzalez", "Wilson", "Anderson",
            "Thomas", "Taylor", "Moore", "Jackson", "Martin", "Lee", "Perez", "Thompson", "White",
            "Harris", "Sanchez", "Clark", "Ramirez", "Lewis", "Robinson", "Walker", "Young",
            "Allen", "King", "Wright", "Scott", "Torres", "Nguyen", "Hill", "Flores", "Green",
            "Adams", "Nelson", "Baker", "Hall", "Rivera", "Campbell", "Mitchell", "Carter",
            "Roberts", "Mueller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner",
            "Becker", "Tanaka", "Suzuki", "Sato", "Dubois", "Moreau", "Rossi", "Russo", "Novak",
            "Kowalski", "Nowak", "Svensson", "Larsen", "Jensen", "Murphy", "Kelly", "Byrne"]
TITLES = ["Clerk", "Engineer", "Manager", "Assistant", "Specialist", "Analyst", "Team Lead",
          "Consultant"]
OSES = ["Windows 2000", "Windows XP", "Windows NT 4.0", "Windows XP"]
OCTETS = 155  # IPv4 octets 100..254: every address has the same width, so no key is a substring
              # of another workstation's address


def database_record(full_name: str, addrs: list[bytes]) -> str:
    """One workstation database line: three quoted fields, CR LF."""
    texts = [render(a) for a in addrs[:2]] + ["", ""]
    return f'"{full_name}","{texts[0]}","{texts[1]}"\r\n'


def write_large(out: str, tree: str, n_users: int, n_ws: int, seed: int,
                database: bool = False, units: int = 0) -> None:
    if n_ws > OCTETS ** 3:
        sys.exit(f"at most {OCTETS ** 3} workstations")
    rng = random.Random(seed)
    # Leaf containers (departments) hold the users, their sub-container Workstations holds the
    # workstations: a few hundred objects per container, or as many as `units` leaves make.
    leaves = units if units > 0 else max(1, math.ceil((n_users + n_ws) / 400))
    user_at = [n_users * k // leaves for k in range(leaves + 1)]
    ws_at = [n_ws * k // leaves for k in range(leaves + 1)]

    out_lines: list[str] = []
    emit = out_lines.append
    header = [f"Large tree {tree}: {n_users} users, {n_ws} workstations, seed {seed}.",
              "Written by tools/make_demo_tree.py --large."]
    emit("".join("# " + h + "\n" for h in header) + "\n")

    def entry(dn: str, lines: list[str]) -> None:
        emit(attr_line("dn", dn) + "\n" + "\n".join(lines) + "\n\n")

    def container(dn: str, kind: str, value: str, description: str) -> None:
        cls = {"o": "organization", "ou": "organizationalUnit"}[kind]
        entry(dn, ["objectClass: top", "objectClass: " + cls, attr_line(kind, value),
                   attr_line("description", description)])

    org = child("", "o", "ENTERPRISE")
    container(org, "o", "ENTERPRISE", f"Large test organization of tree {tree}")
    regions_written: set[str] = set()
    used_cn: dict[str, int] = {}
    user_classes = "\n".join("objectClass: " + c for c in USER_CLASSES)
    ws_classes = "\n".join("objectClass: " + c for c in WS_CLASSES)
    node_base = 0x020000000000  # locally administered; never 000000000001
    last_site = None
    records: list[str] = []
    for leaf in range(leaves):
        dept = DEPTS[leaf % len(DEPTS)]
        site_no = leaf // len(DEPTS)
        region = list(REGIONS)[site_no % len(REGIONS)]
        cities = REGIONS[region]
        k = site_no // len(REGIONS)  # this region's k-th site
        site = cities[k % len(cities)] + (str(k // len(cities) + 1) if k >= len(cities) else "")
        region_dn = child(org, "ou", region)
        site_dn = child(region_dn, "ou", site)
        if region not in regions_written:
            regions_written.add(region)
            container(region_dn, "ou", region, f"Region {region}")
        if site_dn != last_site:
            container(site_dn, "ou", site, f"Site {site}")
            last_site = site_dn
        dept_dn = child(site_dn, "ou", dept)
        ws_dn = child(dept_dn, "ou", "Workstations")
        container(dept_dn, "ou", dept, f"{dept} at {site}")
        ipx_net = 0x00100000 + leaf

        # This leaf's workstations: (cn, address parts, IPX node, IPv4)
        wss = []
        for idx in range(ws_at[leaf], ws_at[leaf + 1]):
            r = rng.random()
            parts = ("ipx", "tcp") if r < 0.8 else ("tcp",) if r < 0.9 else ("ipx",)
            ipv4 = (f"10.{100 + idx // (OCTETS * OCTETS)}.{100 + idx // OCTETS % OCTETS}"
                    f".{100 + idx % OCTETS}")
            wss.append((f"WS{idx + 1:06d}", parts, node_base + idx, ipv4))

        for u in range(user_at[leaf], user_at[leaf + 1]):
            given = GIVEN[rng.randrange(len(GIVEN))]
            sn = SURNAMES[rng.randrange(len(SURNAMES))]
            base = (given[0] + sn).upper()
            n = used_cn.get(base, 0) + 1
            used_cn[base] = n
            cn = base if n == 1 else f"{base}{n}"
            lines = [user_classes, "cn: " + cn, "sn: " + sn, "givenName: " + given,
                     f"fullName: {given} {sn}", "title: " + TITLES[u % len(TITLES)],
                     f"telephoneNumber: +1 555 {u % 10000:04d}",
                     f"mail: {cn.lower()}@enterprise.example"]
            r = rng.random()
            count = 0 if r < 0.25 or not wss else 1 if r < 0.85 else 2
            if count == 0:
                lines.append("networkAddress:")
            else:
                for w in rng.sample(wss, min(count, len(wss))):
                    _, parts, node, ipv4 = w
                    how = parts[rng.randrange(len(parts))]
                    raw = (ipx(ipx_net, node, LOGIN_SOCKET) if how == "ipx"
                           else tcp(ipv4, NCP_PORT))
                    lines.append(attr_line("networkAddress", raw))
            entry(child(dept_dn, "cn", cn), lines)

        container(ws_dn, "ou", "Workstations", f"Workstations of {dept} at {site}")
        for cn, parts, node, ipv4 in wss:
            lines = [ws_classes, "cn: " + cn, f"description: Desk in {dept}, {site}"]
            raws = [ipx(ipx_net, node, WS_SOCKET) if p == "ipx" else tcp(ipv4, 0) for p in parts]
            lines += [attr_line("wmNetworkAddress", raw) for raw in raws]
            if database:
                full = "\\".join(["NDS:\\\\" + tree, "ENTERPRISE", region, site, dept,
                                   "Workstations", cn])
                records.append(database_record(full, raws))
            lines.append("wmOperatingSystem: " + OSES[node % len(OSES)])
            entry(child(ws_dn, "cn", cn), lines)

    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, tree + ".ldif"), "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(out_lines))
    if database:
        with open(os.path.join(out, tree + ".lst"), "w", encoding="utf-8", newline="") as f:
            f.write("".join(records))
    for schema in ("core.schema", "workstation.schema"):
        src = os.path.join(SCHEMA_DIR, schema)
        dst = os.path.join(out, schema)
        if not (os.path.exists(dst) and os.path.samefile(src, dst)):
            shutil.copyfile(src, dst)


def main(argv: list[str]) -> int:
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0],
                                formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--out", help="output folder (default without --large: data/demo; "
                   "required with --large)")
    p.add_argument("--large", action="store_true", help="write one large tree instead of the demo")
    p.add_argument("--users", type=int, default=1000, help="--large: number of users")
    p.add_argument("--workstations", type=int, default=1200,
                   help="--large: number of workstations")
    p.add_argument("--tree", default="BIG", help="--large: tree name (default: %(default)s)")
    p.add_argument("--seed", type=int, default=20240311, help="--large: random seed")
    p.add_argument("--units", type=int, default=0,
                   help="--large: number of departments the objects are spread over "
                   "(default: one per 400 objects)")
    p.add_argument("--database", action="store_true",
                   help="--large: also write the tree's workstation database NAME.lst")
    a = p.parse_args(argv)
    if a.large:
        if not a.out:
            p.error("--large needs --out")
        if os.path.isdir(a.out) and os.path.samefile(a.out, DEFAULT_OUT):
            p.error("--large does not write into the shipped demo folder")
        if a.users < 0 or a.workstations < 0:
            p.error("--users and --workstations must not be negative")
        if not a.tree or any(c in a.tree for c in "/\\\0") or a.tree.startswith("."):
            p.error("--tree must be a plain name")
        if a.units < 0:
            p.error("--units must not be negative")
        write_large(a.out, a.tree, a.users, a.workstations, a.seed, a.database, a.units)
    else:
        write_demo(a.out or DEFAULT_OUT)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
