"""A benchmark script of this folder (a file without .py) taken as a module, so that its
siblings use its requests, outcomes and tables."""
import importlib.machinery
import importlib.util
import os

HERE = os.path.dirname(os.path.realpath(__file__))


def load_script(name):
    """bench/<name> as a module named <name> with '-' as '_'."""
    module_name = name.replace("-", "_")
    loader = importlib.machinery.SourceFileLoader(module_name, os.path.join(HERE, name))
    module = importlib.util.module_from_spec(importlib.util.spec_from_loader(module_name, loader))
    loader.exec_module(module)
    return module
