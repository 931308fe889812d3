"""The UNO component of the Calc add-in. The "Kovr" menu triggers it as a job
executor ("run" opens the catalogue, then the analysis dialog); automation and
tests call it as a job with a JSON request naming the template, the ranges and
the choices, and get the result sheets or the error message back."""
import json
import traceback

import unohelper
from com.sun.star.task import XJob, XJobExecutor

IMPLEMENTATION = "org.kovr.calc.Addin"


class Addin(unohelper.Base, XJobExecutor, XJob):
    def __init__(self, ctx):
        self.ctx = ctx

    def _document(self):
        desktop = self.ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", self.ctx)
        return desktop.CurrentComponent

    def trigger(self, command):
        from kovrcalc import dialog
        if command == "run":
            dialog.run_from_menu(self.ctx, self._document())

    def execute(self, arguments):
        from kovrcalc import addin, dialog
        values = {a.Name: a.Value for a in arguments}
        try:
            request = json.loads(values["Request"])
            doc = values.get("Document") or self._document()
            if {"dialog", "close", "search"} & set(request):
                answer = dialog.show(self.ctx, doc, request)
            else:
                answer = addin.run_request(self.ctx, doc, request)
        except Exception:
            answer = {"error": traceback.format_exc()}
        return json.dumps(answer)


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(Addin, IMPLEMENTATION, (IMPLEMENTATION,))
