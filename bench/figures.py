"""The figures the benchmark scripts report: percentiles of request times and shares."""
import math


def percentile(sorted_values, share):
    """Nearest-rank percentile of an ascending list."""
    if not sorted_values:
        return float("nan")
    return sorted_values[max(0, math.ceil(share / 100.0 * len(sorted_values)) - 1)]


def milliseconds(outcomes):
    """The outcomes' times (their `seconds`) in milliseconds, ascending."""
    return sorted(o.seconds * 1000.0 for o in outcomes)


def share(part, whole):
    return "%.1f %%" % (100.0 * part / whole) if whole else "-"
