"""The one exception korrgeom raises for a failure."""


class Error(Exception):
    """A call into korrgeom failed; the attributes say why.

    code   -- the outcome's name: "InvalidArgument", "NullShape", "WrongShapeKind",
              "KernelFailed", "InvalidResult", "TimedOut", "Cancelled", "FileMissing",
              "FileUnreadable", "FileDamaged", "FileForeign", "FileTooLarge",
              "TranslatorFailed", "WriteFailed", "OutOfMemory" or "TooLarge"
    message -- one sentence for a person, naming the argument and its value, or the file
              (also the exception's text)
    path   -- the file concerned, or None
    detail -- what the kernel or the system said, or None
    """

    def __init__(self, code, message, path=None, detail=None):
        super().__init__(message)
        self.code = code
        self.message = message
        self.path = path or None
        self.detail = detail or None

    def __reduce__(self):
        return (type(self), (self.code, self.message, self.path, self.detail))
