"""A soffice of its own for a test: a temporary profile, a UNO socket on
127.0.0.1, the extension installed through the extension manager."""
import importlib.util
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77  # ctest's skip status


def need_office():
    """Exits with the skip status when LibreOffice or Python-UNO is missing."""
    if importlib.util.find_spec("uno") is None:
        print("python3-uno is not installed: skipped")
        sys.exit(SKIP)
    if not shutil.which("soffice"):
        print("soffice is not installed: skipped")
        sys.exit(SKIP)


def _free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Office:
    def __init__(self, headless=True):
        import uno
        self.folder = tempfile.mkdtemp(prefix="kovr-office-")
        port = _free_port()
        command = ["soffice", "--norestore", "--nologo", "--nodefault", "--nolockcheck",
                   "-env:UserInstallation=" + uno.systemPathToFileUrl(os.path.join(self.folder, "profile")),
                   "--accept=socket,host=127.0.0.1,port=%d;urp;" % port]
        if headless:
            command.insert(1, "--headless")
        # A fresh profile makes soffice exit with status 81 once, after it
        # has written the profile: it is then started again.
        for _ in range(2):
            self.process = subprocess.Popen(command, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL)
            self.ctx = self._connect(port)
            if self.ctx is not None:
                break
        if self.ctx is None:
            self.close()
            raise RuntimeError("soffice did not accept a connection")
        self.smgr = self.ctx.ServiceManager
        self.desktop = self.smgr.createInstanceWithContext("com.sun.star.frame.Desktop", self.ctx)

    def _connect(self, port):
        import uno
        from com.sun.star.connection import NoConnectException
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        for _ in range(300):
            if self.process.poll() is not None:
                return None
            try:
                return resolver.resolve("uno:socket,host=127.0.0.1,port=%d;urp;StarOffice.ComponentContext" % port)
            except NoConnectException:
                time.sleep(0.1)
        return None

    def install(self, oxt):
        import uno
        manager = self.ctx.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")
        manager.addExtension(uno.systemPathToFileUrl(os.path.abspath(oxt)), (), "user", None, _approving())

    def close(self):
        try:
            if getattr(self, "desktop", None) is not None:
                self.desktop.terminate()
        except Exception:
            pass
        try:
            self.process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.folder, ignore_errors=True)


def _approving():
    """A command environment that approves what the extension manager asks
    (without it, adding an extension fails)."""
    import uno
    import unohelper
    from com.sun.star.task import XInteractionHandler
    from com.sun.star.ucb import XCommandEnvironment, XProgressHandler

    class Environment(unohelper.Base, XCommandEnvironment, XInteractionHandler, XProgressHandler):
        def getInteractionHandler(self):
            return self

        def getProgressHandler(self):
            return self

        def handle(self, request):
            approve = uno.getTypeByName("com.sun.star.task.XInteractionApprove")
            continuations = request.getContinuations()
            chosen = [c for c in continuations if c.queryInterface(approve)] or continuations[:1]
            chosen[0].select()

        def push(self, status):
            pass

        def update(self, status):
            pass

        def pop(self):
            pass

    return Environment()


def props(**values):
    from com.sun.star.beans import PropertyValue
    return tuple(PropertyValue(Name=k, Value=v) for k, v in values.items())
