"""Waiting on conditions: every wait polls what it waits for, with a deadline that turns a hang
into a failure with a reason."""

import time

POLL_SECONDS = 0.03


class WaitTimeout(AssertionError):
    pass


def wait_until(condition, what, timeout=60.0):
    """Polls condition() until it returns something true, and returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise WaitTimeout(f"gave up after {timeout:.0f} s waiting for {what}")
        time.sleep(POLL_SECONDS)
