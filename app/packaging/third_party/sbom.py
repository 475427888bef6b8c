class SbomError(Exception):
    pass
