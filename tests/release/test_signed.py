"""A release signed as its publisher signs it: a throwaway certificate
authority and code-signing certificate, scripts/release run with them twice
in separate folders. Every program of the release verifies against that
authority, the two builds are the same bytes, and a key that is not the
certificate's stops the release before anything is built. The first build's
programs and release files, and the authority, are kept in
SORVANE_RELEASE_OUTPUT, when it is set, for the end-to-end test that
installs them and checks the uninstaller the installer writes."""
import os
import subprocess
import time

from test_reproducible import checkout, keep

SIGNED = ["bin/Sorvane.scr", "bin/Sorvane.dll"]


def openssl(*args, cwd):
    subprocess.run(["openssl", *args], cwd=cwd, check=True, capture_output=True)


def make_authority(folder):
    """(authority, certificate chain, key, another key) as PEM files."""
    folder.mkdir(parents=True)
    openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "authority.key", "-out", "authority.pem",
            "-days", "30", "-subj", "/CN=Sorvane test authority",
            "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign",
            cwd=folder)
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", "signer.key", "-out", "signer.csr",
            "-subj", "/CN=Sorvane test publisher", cwd=folder)
    (folder / "signer.ext").write_text("basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\n"
                                       "extendedKeyUsage=codeSigning\n")
    openssl("x509", "-req", "-in", "signer.csr", "-CA", "authority.pem", "-CAkey", "authority.key", "-CAcreateserial",
            "-out", "signer.crt", "-days", "30", "-extfile", "signer.ext", cwd=folder)
    (folder / "chain.pem").write_bytes((folder / "signer.crt").read_bytes() + (folder / "authority.pem").read_bytes())
    openssl("genpkey", "-algorithm", "RSA", "-pkeyopt", "rsa_keygen_bits:2048", "-out", "other.key", cwd=folder)
    return folder / "authority.pem", folder / "chain.pem", folder / "signer.key", folder / "other.key"


def release(source, env):
    return subprocess.run(["sh", "scripts/release"], cwd=source, env=env, capture_output=True, text=True)


def release_files(source):
    out = source / "build" / "release"
    files = SIGNED + sorted(str(p.relative_to(out)) for p in (out / "dist").glob("Sorvane-*"))
    return {name: (out / name).read_bytes() for name in files}


def verifies(authority, program):
    result = subprocess.run(["osslsigncode", "verify", "-CAfile", str(authority), "-in", str(program)],
                            capture_output=True, text=True)
    return result.returncode == 0, result.stdout + result.stderr


def test_a_signed_release_verifies_is_reproducible_and_refuses_a_key_not_its_certificates(tmp_path):
    authority, chain, key, other_key = make_authority(tmp_path / "authority")
    # Signed at a moment the throwaway certificates are valid; both builds at
    # the same one, as two builds of one commit are.
    env = dict(os.environ, SORVANE_SIGNING_CERT=str(chain), SORVANE_SIGNING_KEY=str(key),
               SOURCE_DATE_EPOCH=str(int(time.time())))
    env.pop("SORVANE_SIGNING_TIMESTAMP_URL", None)
    one, two = checkout(tmp_path / "one" / "sorvane"), checkout(tmp_path / "two" / "elsewhere")
    for source in (one, two):
        built = release(source, env)
        assert built.returncode == 0, built.stdout + built.stderr
    first, second = release_files(one), release_files(two)
    assert len(first) == 4, f"expected two programs, the zip and the installer: {sorted(first)}"
    assert first == second, "two signed builds differ"
    out = one / "build" / "release"
    for name in SIGNED + [str(p.relative_to(out)) for p in (out / "dist").glob("Sorvane-*-setup.exe")]:
        ok, said = verifies(authority, out / name)
        assert ok, f"{name} does not verify:\n{said}"
    keep(out, os.environ.get("SORVANE_RELEASE_OUTPUT"), authority)

    wrong = release(two, dict(env, SORVANE_SIGNING_KEY=str(other_key)))
    assert wrong.returncode != 0
    assert "do not match" in wrong.stderr and "SORVANE_SIGNING_KEY" in wrong.stderr, wrong.stderr
    dist = two / "build" / "release" / "dist"
    assert not dist.exists() or not any(dist.iterdir()), "release files left where the release failed"

