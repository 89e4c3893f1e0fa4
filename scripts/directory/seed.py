#!/usr/bin/env python3
"""Writes the seed of the test server's directory as LDIF on standard output
and lays out the server's storage folder: a customer with administrators,
locations, languages, volumes, restriction/permission lists, password
policies and a few applications with their program files.

usage: seed.py SUFFIX SERVICE_PASSWORD STORAGE_FOLDER
Every password is stored hashed ({SSHA}); the clear texts of the test users
are known to the tests."""
import base64, hashlib, os, sys, time

suffix, service_pw, storage = sys.argv[1], sys.argv[2], sys.argv[3]
now = time.time()


def ssha(pw):
    salt = os.urandom(8)
    return "{SSHA}" + base64.b64encode(hashlib.sha1(pw.encode() + salt).digest() + salt).decode()


def gtime(t):
    return time.strftime("%Y%m%d%H%M%SZ", time.gmtime(t))


out = []


def entry(dn, *lines):
    out.append("dn: %s,%s" % (dn, suffix) if dn else "dn: " + suffix)
    out.extend(lines)
    out.append("")


entry("", "objectClass: organization", "o: " + suffix.split(",")[0].split("=")[1])
entry("ou=policies", "objectClass: organizationalUnit", "ou: policies")
entry("ou=contexts", "objectClass: organizationalUnit", "ou: contexts")

policy = ["objectClass: organizationalRole", "objectClass: pwdPolicy",
          "pwdAttribute: userPassword", "pwdMinLength: 6", "pwdCheckQuality: 1",
          "pwdInHistory: 3", "pwdAllowUserChange: TRUE", "pwdLockout: TRUE",
          "pwdMaxFailure: 5", "pwdSafeModify: FALSE"]
entry("cn=default,ou=policies", "cn: default", *policy, "pwdMaxAge: 0")
# Passwords of these users last 30 days and warn for all of them.
entry("cn=expiring,ou=policies", "cn: expiring", *policy,
      "pwdMaxAge: 2592000", "pwdExpireWarning: 2592000")
# Passwords of these users last a day; an expired one still lets the user
# in to change it.
entry("cn=expired,ou=policies", "cn: expired", *policy,
      "pwdMaxAge: 86400", "pwdGraceAuthNLimit: 1000")

entry("cn=aos", "objectClass: organizationalRole", "objectClass: simpleSecurityObject",
      "cn: aos", "userPassword: " + ssha(service_pw))

entry("locationid=2", "objectClass: NETWLOCATION", "locationid: 2",
      "locationname: Head office")
entry("locationid=7", "objectClass: NETWLOCATION", "locationid: 7",
      "locationname: Branch", "smtpcode: VP7")

# An empty text is an absent attribute: a search answers it as an empty
# value, which is what the clients read as "no lock" or "no text".

# uid, mailbox, location, administrator flag, password, policy, extra lines
users = [
    ("admin1", "4001", "2", 1, "135790", None, []),
    ("plain", "4002", "2", 0, "246801", None, []),
    ("special", "4003", "2", 0, "357912", None, []),
    ("special5", "4007", "2", 0, "468023", None, []),
    ("expiring", "4004", "2", 1, "579134", "expiring", ["pwdChangedTime: " + gtime(now - 86400)]),
    ("expired", "4005", "2", 1, "680245", "expired", ["pwdChangedTime: " + gtime(now - 10 * 86400)]),
    ("locked", "4006", "2", 1, "791356", None, ["pwdAccountLockedTime: 000001010000Z"]),
    ("branch1", "4001", "7", 1, "802467", None, []),
    ("changer", "400800", "2", 1, "913578", None, []),
    ("trier", "4010", "2", 1, "146802", None, []),
    ("renew", "4009", "2", 1, "724680", "expired", ["pwdChangedTime: " + gtime(now - 10 * 86400)]),
]
for uid, box, loc, admin, pw, pol, extra in users:
    lines = ["objectClass: TELVANTAUSER", "uid: " + uid, "usermailboxnum: " + box,
             "locationid: " + loc, "isadministrator: %d" % admin, "mailboxid: " + box,
             "userPassword: " + ssha(pw)]
    if pol:
        lines.append("pwdPolicySubentry: cn=%s,ou=policies,%s" % (pol, suffix))
    entry("uid=" + uid, *lines, *extra)
entry("specialuserid=4003", "objectClass: TVMSPECIALUSER", "specialuserid: 4003",
      "tvmappid: 5", "tvmappid: 32")
entry("specialuserid=4007", "objectClass: TVMSPECIALUSER", "specialuserid: 4007",
      "tvmappid: 5")

entry("sysserviceid=3", "objectClass: SYSTEMSERVICEPROF", "sysserviceid: 3",
      "vernum: 50300", "minclientversion: 5.1.0", "switchtype: 1", "nextappid: 300")
entry("cn=security", "objectClass: SECURITYPROF", "cn: security", "minpsswdlen: 6")
for vp, name in ((3, "English"), (5, "French"), (7, "Polish")):
    entry("vpromptlangid=%d+customerid=1" % vp, "objectClass: LOCALLANGUAGE",
          "vpromptlangid: %d" % vp, "customerid: 1", "locallangid: %d" % vp,
          "locallangname: " + name, "modnum: 1")
entry("cn=volumes", "objectClass: MMFSVOLUME", "cn: volumes",
      "volumenum: A_F1", "volumenum: A_F2", "volumenum: A_F11")
entry("rplid=6", "objectClass: RESTRICTIONPERMISSION", "rplid: 6", "rplname: RPL 1")
entry("rplid=4", "objectClass: RESTRICTIONPERMISSION", "rplid: 4", "rplname: RPL 2")


def application(cust, app, name, visible_files, importable=1, compiled=1):
    folder = "apps\\%d\\%d" % (cust, app)
    ed = folder + "\\%d_1.ED" % app
    entry("appid=%d+customerid=%d" % (app, cust), "objectClass: APPLICATION",
          "appid: %d" % app, "customerid: %d" % cust, "appname: " + name,
          "volumeid: 1", "appvernum: 1", "apppreviousvernum: 65535",
          "currentedfilepath: " + ed, "newedfilepath: " + folder + "\\%d_2.ED" % app)
    entry("appprofid=%d+customerid=%d+appvernum=1" % (app, cust), "objectClass: APPPROFILE",
          "appprofid: %d" % app, "customerid: %d" % cust, "appvernum: 1",
          "appmediatype: 0", "importable: %d" % importable, "compiledok: %d" % compiled,
          "appdescr: The %s application" % name, "appname: " + name,
          "spokennamerecorded: 0", "verffaxnummodifiable: 0", "updatepsswdneeded: 0",
          "updatepsswd: 0000000000000000", "mntadnthrudial: 0", "comfprmtmodifiable: 0",
          "volumeid: 1", "runfilepath: " + folder + "\\%d_1.RUN" % app,
          "rllfilepath: " + folder + "\\%d_1.RLL" % app, "misafilepath: M%d" % app,
          "visible: 1", "lockingdatetime: -1",
          "apppreviousvernum: 65535", "modnum: 1")
    if visible_files:
        path = os.path.join(storage, "apps", str(cust), str(app))
        os.makedirs(path, exist_ok=True)
        with open(os.path.join(path, "%d_1.ED" % app), "w") as f:
            f.write("program %s version 1\n" % name)


for app, name, imp in ((10, "Main menu", 1), (11, "Sales", 1), (12, "Support", 0),
                       (13, "Night", 1), (14, "Holiday", 1)):
    application(1, app, name, True, importable=imp)
entry("appimpid=10+customerid=1+appvernum=1+impedappid=11+impedcustid=1",
      "objectClass: APPIMP", "appimpid: 10", "customerid: 1", "appvernum: 1",
      "impedappid: 11", "impedcustid: 1")
entry("appid=13+customerid=1+serviceacdn=5000", "objectClass: APPSERVICEPROFILE", "appid: 13",
      "customerid: 1", "serviceacdn: 5000")
# A customer with more applications than one page of a search holds.
for app in range(1, 251):
    application(2, 1000 + app, "Bulk %03d" % app, False)

os.makedirs(os.path.join(storage, "media"), exist_ok=True)
# The server's certificate where the login library fetches it: drive d: of
# the server is the folder "d" of the storage.
ssl = os.path.join(storage, "d", "zantrel", "ssl")
os.makedirs(ssl, exist_ok=True)
with open(os.path.join(ssl, "Telvanta.cer"), "w") as f:
    f.write("Telvanta test server certificate\n")
sys.stdout.write("\n".join(out))
