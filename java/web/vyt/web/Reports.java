package vyt.web;

import org.vytjni.api.Report;
import vyt.catalog.Catalog;
import vyt.client.Client;
import vyt.client.ClientException;

/** Fetches reports for one request: the collector's client, asked only while the browser waits. */
@FunctionalInterface
interface Reports {
    Report fetch(Catalog.Kind kind, Client.Selection sel, boolean trace) throws ClientException;
}
